#!/usr/bin/env bash
# Checks that the folders of src/ include one way only, in the order
# docs/ARCHITECTURE.md draws: a folder may include its own headers, the public
# headers (korvath/) and those of the folders on lower layers, never a folder on
# its own layer or above it.
set -euo pipefail
cd "$(dirname "$0")/.."

declare -A layer=(
  [platform]=0
  [core]=1
  [input]=2 [materials]=2 [audio]=2 [archives]=2
  [world]=3
  [models]=4 [effects]=4
  [engine]=5
)

# Every folder of src/ must have a layer, and the document must name each folder.
status=0
for dir in src/*/; do
  name=$(basename "$dir")
  if [ -z "${layer[$name]+set}" ]; then
    echo "src/$name has no layer in scripts/check-layers.sh"; status=1
  elif ! grep -q "^### \`$name/\`" docs/ARCHITECTURE.md; then
    echo "src/$name is not described in docs/ARCHITECTURE.md"; status=1
  fi
done

while IFS=: read -r file _ include; do
  from=${file#src/}; from=${from%%/*}
  to=$(sed -E 's/.*#include "([^/"]+)\/.*/\1/' <<<"$include")
  [ "$to" = "korvath" ] || [ "$to" = "$from" ] && continue
  [ -z "${layer[$to]+set}" ] && continue
  if [ "${layer[$to]}" -ge "${layer[$from]}" ]; then
    echo "$file includes $to/ (layer ${layer[$to]}) from $from/ (layer ${layer[$from]})"; status=1
  fi
done < <(grep -rn '^#include "[a-z]*/' src --include='*.cpp' --include='*.h')

[ $status -eq 0 ] && echo "layers: every include goes down"
exit $status
