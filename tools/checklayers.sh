#!/bin/sh
# Fails when a file of src/ includes a folder above its own. The floors, from
# the ground up; a folder may include itself and the folders before it.
#   tools/checklayers.sh [SRC_DIR]
src="${1:-$(dirname "$0")/../src}"
layers="core invoicing booking calendar customers config reports app"
status=0
rank() {
    i=0
    for l in $layers; do
        [ "$l" = "$1" ] && { echo $i; return; }
        i=$((i + 1))
    done
    echo -1
}
for dir in "$src"/*/; do
    folder=$(basename "$dir")
    own=$(rank "$folder")
    if [ "$own" -lt 0 ]; then
        echo "$folder: a folder that is no floor (add it to tools/checklayers.sh)"
        status=1
        continue
    fi
    for f in "$dir"*; do
        [ -f "$f" ] || continue
        grep -n '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[a-z]*/' "$f" | while IFS= read -r line; do
            target=$(printf '%s\n' "$line" | sed -E 's/.*include[[:space:]]*"([a-z]+)\/.*/\1/')
            theirs=$(rank "$target")
            if [ "$theirs" -gt "$own" ] || [ "$theirs" -lt 0 ]; then
                echo "$f:$(printf '%s' "$line" | cut -d: -f1): $folder includes $target, a floor above it"
                echo x >> "${TMPDIR:-/tmp}/checklayers.$$"
            fi
        done
    done
done
if [ -f "${TMPDIR:-/tmp}/checklayers.$$" ]; then
    rm -f "${TMPDIR:-/tmp}/checklayers.$$"
    status=1
fi
[ $status -eq 0 ] && echo "layers: every include stays on its floor or below"
exit $status
