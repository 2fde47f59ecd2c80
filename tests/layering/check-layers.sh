#!/usr/bin/env bash
# The layers of the tree and what each may include: arrows point down only, and
# the engine and the codec include no Qt header. Every header is included by its
# path from the top of the tree, so a folder name is the layer it comes from.
set -euo pipefail
top=${1:-$(dirname "$0")/../..}
cd "$top"

declare -A allowed=(
  [engine]="engine"
  [project]="engine texts project"
  [texts]="engine texts"
  [report]="engine project texts report"
  [cli]="engine project texts report cli"
  [resources]="resources"
  [uikit]="engine project texts uikit"
  [dialogs]="engine project texts resources uikit dialogs"
  [editor]="engine project texts report resources uikit dialogs editor"
  [app]="engine project texts uikit editor app"
)
qt_free="engine project texts"

status=0
for layer in "${!allowed[@]}"; do
  [ -d "$layer" ] || continue
  while IFS= read -r hit; do
    file=${hit%%:*}
    include=$(sed -E 's/.*#include "([^"]+)".*/\1/' <<<"${hit#*:}")
    case "$include" in
      *.moc) continue ;;
      */*) from=${include%%/*} ;;
      *) echo "$file: \"$include\" is not included by its path from the top of the tree"; status=1; continue ;;
    esac
    if [[ " ${allowed[$layer]} " != *" $from "* ]]; then
      echo "$file: the $layer layer may not include $include"
      status=1
    fi
  done < <(grep -rn --include='*.h' --include='*.cpp' --include='*.h.in' -E '^\s*#\s*include\s*"' "$layer" || true)
  if [[ " $qt_free " == *" $layer "* ]]; then
    if grep -rn --include='*.h' --include='*.cpp' -E '^\s*#\s*include\s*<Q' "$layer"; then
      echo "the $layer layer includes a Qt header"
      status=1
    fi
  fi
done
[ "$status" -eq 0 ] && echo "layers: every include points down"
exit "$status"
