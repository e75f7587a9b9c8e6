// The survey report's behaviour: the filter box and sorting of the form grid
// and the census table, and the expandable component tree of a form page.
// No network, no library: the pages open from file://.
(function () {
  'use strict';

  // Rows or cards carry their searchable text in data-search. Every word of
  // the filter must occur in it. The filter is kept in the address
  // (#q=...), so a filtered view can be bookmarked and reopened.
  function setUpFilter(items) {
    var box = document.getElementById('filter');
    var shown = document.getElementById('shown');
    if (!box) return;
    function apply() {
      var words = box.value.toLowerCase().split(/\s+/).filter(Boolean);
      var count = 0;
      items().forEach(function (item) {
        var text = item.getAttribute('data-search') || '';
        var match = words.every(function (w) { return text.indexOf(w) >= 0; });
        item.hidden = !match;
        if (match) count++;
      });
      if (shown) shown.textContent = count + ' of ' + items().length + ' shown';
      var address = box.value ? '#q=' + encodeURIComponent(box.value) : location.pathname + location.search;
      try { history.replaceState(null, '', address); } catch (e) { /* some browsers refuse on file:// */ }
    }
    var m = /^#q=(.*)$/.exec(location.hash);
    if (m) box.value = decodeURIComponent(m[1]);
    box.addEventListener('input', apply);
    apply();
  }

  function setUpGridSort(grid) {
    var select = document.getElementById('sort');
    if (!select) return;
    var order = { failed: 0, timeout: 0, crashed: 0, ok: 1 };
    select.addEventListener('change', function () {
      var key = select.value;
      var cards = Array.prototype.slice.call(grid.children);
      cards.sort(function (a, b) {
        var an = a.getAttribute('data-name'), bn = b.getAttribute('data-name');
        var d = 0;
        if (key === 'status') d = order[a.getAttribute('data-status')] - order[b.getAttribute('data-status')];
        else if (key !== 'name') d = Number(b.getAttribute('data-' + key)) - Number(a.getAttribute('data-' + key));
        return d || (an < bn ? -1 : an > bn ? 1 : 0);
      });
      cards.forEach(function (c) { grid.appendChild(c); });
    });
  }

  // A click on a column head sorts the table by it; again reverses.
  function setUpTableSort(table) {
    var heads = table.querySelectorAll('th');
    Array.prototype.forEach.call(heads, function (th, column) {
      th.addEventListener('click', function () {
        var numeric = th.hasAttribute('data-numeric');
        var descending = th.getAttribute('data-order') !== 'desc';
        th.setAttribute('data-order', descending ? 'desc' : 'asc');
        var body = table.tBodies[0];
        var rows = Array.prototype.slice.call(body.rows);
        rows.sort(function (a, b) {
          var x = a.cells[column].textContent, y = b.cells[column].textContent;
          var d = numeric ? Number(x) - Number(y) : x.localeCompare(y);
          return descending ? -d : d;
        });
        rows.forEach(function (r) { body.appendChild(r); });
      });
    });
  }

  function node(tag, cls, text) {
    var e = document.createElement(tag);
    if (cls) e.className = cls;
    if (text !== undefined) e.textContent = text;
    return e;
  }

  // The line of one tree node: class, name, and for a control its bounds,
  // visibility and text.
  function label(holder, c) {
    holder.appendChild(node('span', 'cls', c['class']));
    holder.appendChild(document.createTextNode(' ' + (c.name || '') + ' '));
    if (c.width === undefined) return;
    holder.appendChild(node('span', 'geom', c.left + ', ' + c.top + ', ' + c.width + ' \u00d7 ' + c.height +
                                            (c.visible ? '' : ', hidden') + (c.text ? ' \u201c' + c.text + '\u201d' : '')));
  }

  // One control with its children (the first two levels open); a node
  // without children is a plain line.
  function treeNode(c, depth) {
    var inner = (c.children || []).concat(c.components || []);
    if (!inner.length) {
      var leaf = node('div', 'leaf');
      label(leaf, c);
      return leaf;
    }
    var details = node('details');
    if (depth < 2) details.open = true;
    var summary = node('summary');
    label(summary, c);
    details.appendChild(summary);
    inner.forEach(function (child) { details.appendChild(treeNode(child, depth + 1)); });
    return details;
  }

  // Called by a form page's tree.js with the preview's control tree.
  window.tessalyShowTree = function (root) {
    var holder = document.getElementById('tree');
    if (holder) holder.appendChild(treeNode(root, 0));
  };

  document.addEventListener('DOMContentLoaded', function () {
    var grid = document.getElementById('grid');
    var table = document.getElementById('classes');
    if (grid) {
      setUpFilter(function () { return Array.prototype.slice.call(grid.children); });
      setUpGridSort(grid);
    }
    if (table) {
      setUpFilter(function () { return Array.prototype.slice.call(table.tBodies[0].rows); });
    }
    Array.prototype.forEach.call(document.querySelectorAll('table.sortable'), setUpTableSort);
    var preview = document.getElementById('preview');
    if (preview) {
      // A missing image says so instead of showing a broken icon.
      var check = function () {
        preview.setAttribute('data-loaded', preview.naturalWidth > 0 ? 'yes' : 'no');
      };
      if (preview.complete) check();
      preview.addEventListener('load', check);
      preview.addEventListener('error', check);
    }
  });
})();
