#!/usr/bin/env bash
# The product's folders include one another one way only, with no circles:
# each folder may include its own files and those of the folders listed for
# it, all of which stand below it. A file that includes a folder above its
# own fails the test, with the line that does.
#
#   tests/include_layers.sh SOURCE_DIR
set -uo pipefail
root="${1:?usage: include_layers.sh SOURCE_DIR}"
declare -A below=(
    [regional]=""
    [data]="regional"
    [program]=""
    [ui]="regional data program"
    [startup]="regional data program ui"
    [punch]="regional data program ui startup resources"
    [app]="regional data program ui startup punch"
    [tools]="regional data program ui"
    [desk]="regional data program ui"
)
status=0
for folder in "${!below[@]}"; do
    while IFS= read -r found; do
        included="${found#*#include \"}"
        target="${included%%/*}"
        [ "$target" = "$folder" ] && continue
        if [[ " ${below[$folder]} " != *" $target "* ]]; then
            echo "${found%%:#include*}: $folder/ includes $target/ (\"${included%\"}\")"
            status=1
        fi
    done < <(grep -Hn '^#include "[A-Za-z_]*/' "$root/$folder"/*.h "$root/$folder"/*.cpp 2>/dev/null \
        | sed "s|^$root/||")
done
exit $status
