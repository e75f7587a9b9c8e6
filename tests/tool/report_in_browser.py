#!/usr/bin/env python3
"""The survey report in a real browser: headless Chromium opens index.html
from file://, the filter narrows the grid, a form page shows its preview and
its component tree. Skips (exit 77) when Chromium is not installed."""
import os
import re
import shutil
import subprocess
import sys
import tempfile

SKIP = 77
FLAGS = ["--headless", "--no-sandbox", "--disable-gpu", "--no-first-run", "--disable-background-networking",
         "--disable-component-update", "--disable-sync", "--virtual-time-budget=3000"]


def browser():
    for name in ("chromium", "chromium-browser"):
        path = shutil.which(name)
        if path:
            return path
    return None


def dump_dom(chromium, url, profile):
    """The page's DOM after its scripts ran."""
    result = subprocess.run([chromium, *FLAGS, "--user-data-dir=" + profile, "--dump-dom", url],
                            capture_output=True, text=True, timeout=60)
    if result.returncode != 0:
        raise SystemExit("chromium failed on %s: %s" % (url, result.stderr[-2000:]))
    return result.stdout


def check(condition, message):
    if not condition:
        print("FAIL:", message)
        sys.exit(1)


def main():
    tool, examples = sys.argv[1], sys.argv[2]
    chromium = browser()
    if not chromium:
        print("SKIP: chromium is not installed (scripts/install-deps.sh installs it)")
        return SKIP
    with tempfile.TemporaryDirectory() as work:
        # The example forms of the top folder: enough for a grid and a filter.
        tree = os.path.join(work, "forms")
        os.mkdir(tree)
        for name in os.listdir(examples):
            if name.endswith(".dfm"):
                shutil.copy(os.path.join(examples, name), tree)
        out = os.path.join(work, "out")
        # A sanitizer build reserves more address space than a memory limit allows.
        linked = subprocess.run(["ldd", tool], capture_output=True, text=True).stdout
        limit = ["--memory-limit", "0"] if "libasan" in linked else []
        subprocess.run([tool, "survey", tree, "-o", out, "-j", "2"] + limit, check=True,
                       stderr=subprocess.DEVNULL, timeout=240)
        profile = os.path.join(work, "profile")
        index = "file://" + os.path.join(out, "index.html")

        whole = dump_dom(chromium, index, profile)
        cards = re.findall(r'<a class="card[^"]*"[^>]*>', whole)
        check(len(cards) >= 5, "the grid shows %d forms" % len(cards))
        check(not any(" hidden" in c for c in cards), "an unfiltered grid hides forms")
        check(re.search(r'id="shown">%d of %d shown<' % (len(cards), len(cards)), whole), "the count of shown forms")

        # The filter box matches form names and classes; its text is kept in the address.
        narrowed = dump_dom(chromium, index + "#q=TCalendar", profile)
        shown = [c for c in re.findall(r'<a class="card[^"]*"[^>]*>', narrowed) if " hidden" not in c]
        check(0 < len(shown) < len(cards), "filtering by TCalendar shows %d of %d" % (len(shown), len(cards)))
        check(all("tcalendar" in c for c in shown), "a shown form does not hold a TCalendar")
        check(re.search(r'id="shown">%d of %d shown<' % (len(shown), len(cards)), narrowed), "the count after filtering")

        # A form page: the preview image loaded, the tree drawn by the script.
        href = re.search(r'href="(forms/[0-9a-f]+/index.html)"[^>]*data-search="[^"]*calendar.dfm', whole)
        check(href, "no link to the calendar form's page")
        page = dump_dom(chromium, "file://" + os.path.join(out, href.group(1)), profile)
        check('data-loaded="yes"' in page, "the form page's preview did not load")
        check(page.count("<details") >= 1 and 'class="cls">TCalendar<' in page, "the component tree is not shown")

        census = dump_dom(chromium, "file://" + os.path.join(out, "census.html") + "#q=placeholder", profile)
        rows = [r for r in re.findall(r'<tr class="(?:known|placeholder|frame)"[^>]*>', census) if "hidden" not in r]
        check(rows and all(r.startswith('<tr class="placeholder"') for r in rows), "the census filter")
    print("ok")
    return 0


if __name__ == "__main__":
    sys.exit(main())
