#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Lists the project's files that do not name their licence on an
# "SPDX-License-Identifier: MIT" line among their first five lines, and fails
# when there is one. With --add it writes the line into them instead, as a
# comment in each file's own syntax: after a "#!" line, an XML declaration or
# a DOCTYPE, otherwise first. Files that cannot hold a comment are exempt
# below; a file of a kind this script does not know is reported, so that its
# kind gets a comment form or an exemption here.
# Usage: check-licence.sh [--add]
set -euo pipefail
cd "$(dirname "$0")/.."
line='SPDX-License-Identifier: MIT'

# The comment that carries the line in a file of this name.
comment_for() {
    case "$1" in
        *.cpp | *.h | *.c | *.hpp | *.js | *.h.in | *.rc.in) echo "// $line" ;;
        *.css) echo "/* $line */" ;;
        *.golden) echo "#! $line" ;;
        *.sh | *.py | *.cmake | CMakeLists.txt | */CMakeLists.txt | .ci/run | .clang-format | .gitignore | \
            *.dict | *.desktop | *.yml | *.yaml | bench/budgets.txt) echo "# $line" ;;
        *.1) echo ".\\\" $line" ;;
        *.xml | *.svg | *.qrc | *.html | *.manifest) echo "<!-- $line -->" ;;
        *) return 1 ;;
    esac
}

# Pictures, fuzz inputs and JSON have no comments; the licence, the copyright
# file and the documents are texts about the licence or the project rather than
# sources; doc-base entries have no comment syntax.
exempt() {
    case "$1" in
        LICENSE | *.md | *.png | *.ico | *.json | fuzz/corpus/* | resources/copyright | resources/*.doc-base) return 0 ;;
        *) return 1 ;;
    esac
}

# How many lines stay before the comment: a "#!" line (not in golden files,
# where "#!" starts a comment), and an XML declaration and a DOCTYPE.
lines_before() {
    local file=$1 comment=$2 count=0 text
    case "$comment" in
        "<!--"*)
            while text=$(sed -n "$((count + 1))p" "$file") && [[ $text =~ ^\<(\?xml|\!DOCTYPE|\!doctype) ]]; do
                count=$((count + 1))
            done
            ;;
        "#!"*) ;;
        *) [[ $(head -n 1 "$file") == "#!"* ]] && count=1 ;;
    esac
    echo "$count"
}

add=false
[ "${1:-}" = "--add" ] && add=true
# One pass over every file (a process per file would take seconds): the names
# of those with no such line among their first five lines.
mapfile -d '' files < <(git ls-files -z --cached --others --exclude-standard)
lacking=()
for file in "${files[@]}"; do
    [ -f "$file" ] && ! exempt "$file" && lacking+=("$file")
done
if [ ${#lacking[@]} -gt 0 ]; then
    mapfile -t lacking < <(LINE="$line" awk 'FNR == 1 { if (name != "" && !found) print name; name = FILENAME; found = 0 }
        FNR <= 5 && index($0, ENVIRON["LINE"]) { found = 1 }
        FNR > 5 { nextfile }
        END { if (name != "" && !found) print name }' "${lacking[@]}")
fi
missing=()
unknown=()
added=0
for file in "${lacking[@]}"; do
    if ! comment=$(comment_for "$file"); then
        unknown+=("$file")
    elif $add; then
        before=$(lines_before "$file" "$comment")
        edited=$(mktemp)
        # The comment comes through the environment, where awk keeps backslashes.
        TEXT="$comment" awk -v before="$before" 'NR == before + 1 { print ENVIRON["TEXT"] } { print }
            END { if (NR <= before) print ENVIRON["TEXT"] }' "$file" > "$edited"
        cat "$edited" > "$file" # keeps the file's mode
        rm -f "$edited"
        added=$((added + 1))
    else
        missing+=("$file")
    fi
done
$add && echo "Wrote the line into $added files."

status=0
if [ ${#missing[@]} -gt 0 ]; then
    echo "No '$line' line near the top (bash scripts/check-licence.sh --add writes it):"
    printf '  %s\n' "${missing[@]}"
    status=1
fi
if [ ${#unknown[@]} -gt 0 ]; then
    echo "Files of a kind scripts/check-licence.sh has no comment form or exemption for:"
    printf '  %s\n' "${unknown[@]}"
    status=1
fi
[ $status -eq 0 ] && echo "Every source file names its licence ($line)."
exit $status
