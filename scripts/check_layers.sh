#!/usr/bin/env bash
# Checks that includes only point down the layers:
#   framework: core < streaming < components < controls < stock
#   our own controls (controls/) and the viewer stand on the framework;
#   the framework includes neither, and our own controls not the viewer.
# The form-reading layers (core, streaming, components) use Qt Core at most:
# no Qt GUI or Widgets header there. Prints every wrong include and exits 1
# when there is one.
#   bash scripts/check_layers.sh
set -euo pipefail
cd "$(dirname "$0")/.."

layers=(core streaming components controls stock)
rank() {
  local i
  for i in "${!layers[@]}"; do
    [[ "${layers[$i]}" == "$1" ]] && { echo "$i"; return; }
  done
  echo -1
}

status=0
complain() {
  echo "$1: $2" >&2
  status=1
}

# Framework layers: an include "LAYER/..." must name this layer or a lower one.
for layer in "${layers[@]}"; do
  own=$(rank "$layer")
  while IFS= read -r line; do
    file="${line%%:*}"
    target=$(sed -E 's/.*#include "([a-z]+)\/.*/\1/' <<<"${line#*:}")
    other=$(rank "$target")
    if ((other < 0)); then
      complain "$file" "includes outside the framework: ${line#*:}"
    elif ((other > own)); then
      complain "$file" "$layer includes ${target} above it: ${line#*:}"
    fi
  done < <(grep -HE '^\s*#include "[a-z]+/' viewer/framework/"$layer"/*.{h,cpp} 2>/dev/null || true)
  if ((own <= $(rank components))); then
    while IFS= read -r line; do
      complain "${line%%:*}" "$layer needs Qt Core at most: ${line#*:}"
    done < <(grep -HE '^\s*#include <Q(Widget|Painter|Image|Font|Color|Pixmap|Application|GuiApplication|Palette|Style)' \
      viewer/framework/"$layer"/*.{h,cpp} 2>/dev/null || true)
  fi
done

# The load (viewer/: LoadTypes, FormFiles, rewrite, Ancestors, LoadForm,
# LoadPreview, RegisteredClassNames) stands on the form-reading layers only;
# LoadForm joins rewrite and Ancestors, which do not know each other.
load_files=(LoadTypes.h FormFiles.h FormFiles.cpp rewrite.h rewrite.cpp Ancestors.h Ancestors.cpp LoadForm.h
  LoadForm.cpp LoadPreview.h LoadPreview.cpp RegisteredClassNames.h RegisteredClassNames.cpp)
for f in "${load_files[@]}"; do
  while IFS= read -r line; do
    complain "viewer/$f" "the load needs no widgets: $line"
  done < <(grep -E '^\s*#include ("(controls|stock)/|"Unit[12]\.h"|<QWidget|<QPainter|<QImage)' "viewer/$f" || true)
done
for pair in "rewrite Ancestors" "Ancestors rewrite" "rewrite LoadForm" "Ancestors LoadForm" "rewrite LoadPreview" \
  "Ancestors LoadPreview" "LoadForm LoadPreview"; do
  set -- $pair
  for f in "viewer/$1.h" "viewer/$1.cpp"; do
    if grep -qE "^\s*#include \"$2\.h\"" "$f"; then complain "$f" "$1 must not include $2"; fi
  done
done

# Our own controls stand on the framework, never on the viewer.
viewer_headers=$(cd viewer && ls -- *.h | sed 's/\./\\./' | paste -sd'|')
while IFS= read -r line; do
  complain "${line%%:*}" "an own control includes the viewer: ${line#*:}"
done < <(grep -rHE "^\s*#include \"($viewer_headers)\"" controls || true)

if ((status == 0)); then echo "check_layers: every include points down"; fi
exit "$status"
