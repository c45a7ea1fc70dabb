#!/bin/sh
# Fails when a file of src/ includes a folder above its own, and when a file
# includes the generated design header (ui_*.h) of another window. The
# floors, from the ground up; a folder may include itself and the folders
# before it.
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
# A window's design is its own: a file of src/ may include ui_x.h only when
# it is x.cpp or builds the design's class itself (a window whose pages live
# in its file), and nothing outside src/ includes one (tests reach controls
# by name).
for f in "$src"/*/* "$src"/../tests/*/* "$src"/../bench/*; do
    [ -f "$f" ] || continue
    own=$(basename "$f" | sed -E 's/\.[a-z]+$//')
    grep -n '^[[:space:]]*#[[:space:]]*include[[:space:]]*"ui_' "$f" | while IFS= read -r line; do
        design=$(printf '%s\n' "$line" | sed -E 's/.*"ui_([A-Za-z0-9_]+)\.h".*/\1/')
        case "$f" in
        "$src"/*)
            [ "$design" = "$own" ] && continue
            form=$(ls "$src"/*/"$design".ui 2>/dev/null | head -n 1)
            class=$([ -n "$form" ] && sed -n 's/.*<class>\([A-Za-z0-9_]*\)<\/class>.*/\1/p' "$form" | head -n 1)
            [ -n "$class" ] && grep -q "new Ui::$class\b" "$f" && continue ;;
        esac
        echo "$f:$(printf '%s' "$line" | cut -d: -f1): includes ui_$design.h, the design of another window"
        echo x >> "${TMPDIR:-/tmp}/checklayers.$$"
    done
done
if [ -f "${TMPDIR:-/tmp}/checklayers.$$" ]; then
    rm -f "${TMPDIR:-/tmp}/checklayers.$$"
    status=1
fi
[ $status -eq 0 ] && echo "layers: every include stays on its floor or below, and every window includes only its own design"
exit $status
