#!/usr/bin/env bash
# The layers of the tree and what each may include: arrows point down only, and
# the engine and the codec include no Qt header. Every header is included by its
# path from the top of the tree, so a folder name is the layer it comes from.
set -euo pipefail
top=${1:-$(dirname "$0")/../..}
cd "$top"

# The engine's rooms stand one on another: the floor (engine/ itself: faults,
# numbers, the worker pool), the case, the section, the column, then the
# design and the diagrams side by side, and the study of a whole case on top.
# A room may include its own and those below it, never one above.
engine_rooms="engine engine/case engine/section engine/column engine/design engine/diagrams engine/study"
declare -A allowed=(
  [engine]="engine"
  [engine/case]="engine engine/case"
  [engine/section]="engine engine/case engine/section"
  [engine/column]="engine engine/case engine/section engine/column"
  [engine/design]="engine engine/case engine/section engine/column engine/design"
  [engine/diagrams]="engine engine/case engine/section engine/column engine/diagrams"
  [engine/study]="$engine_rooms"
  [project]="$engine_rooms texts project"
  [texts]="$engine_rooms texts"
  [report]="$engine_rooms project texts report"
  [cli]="$engine_rooms project texts report cli"
  [resources]="resources"
  [uikit]="$engine_rooms project texts uikit"
  [dialogs]="$engine_rooms project texts resources uikit dialogs"
  [editor]="$engine_rooms project texts report resources uikit dialogs editor"
  [app]="$engine_rooms project texts uikit editor app"
)
qt_free="$engine_rooms project texts"

status=0
for layer in "${!allowed[@]}"; do
  [ -d "$layer" ] || continue
  # The floor of the engine is its top folder alone: the rooms are layers of
  # their own.
  depth=()
  [ "$layer" = engine ] && depth=(-maxdepth 1)
  while IFS= read -r hit; do
    file=${hit%%:*}
    include=$(sed -E 's/.*#include "([^"]+)".*/\1/' <<<"${hit#*:}")
    case "$include" in
      *.moc) continue ;;
      engine/*/*) from=${include%/*} ;;
      */*) from=${include%%/*} ;;
      *) echo "$file: \"$include\" is not included by its path from the top of the tree"; status=1; continue ;;
    esac
    if [[ " ${allowed[$layer]} " != *" $from "* ]]; then
      echo "$file: the $layer layer may not include $include"
      status=1
    fi
  done < <(find "$layer" "${depth[@]}" -type f \( -name '*.h' -o -name '*.cpp' -o -name '*.h.in' \) -print0 |
             xargs -0 -r grep -Hn -E '^\s*#\s*include\s*"' || true)
  if [[ " $qt_free " == *" $layer "* ]]; then
    if find "$layer" "${depth[@]}" -type f \( -name '*.h' -o -name '*.cpp' \) -print0 |
         xargs -0 -r grep -Hn -E '^\s*#\s*include\s*<Q'; then
      echo "the $layer layer includes a Qt header"
      status=1
    fi
  fi
done
[ "$status" -eq 0 ] && echo "layers: every include points down"
exit "$status"
