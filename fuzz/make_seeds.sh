#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Writes the seed corpora of the fuzz targets from the tests' examples: the typed
# tasks of tests/golden/*.golden, ten lines a file, and configuration files
# written by molvane-cli's own writer for a few settings.
# Usage: fuzz/make_seeds.sh MOLVANE_CLI
set -euo pipefail
cli=$(realpath "$1")
cd "$(dirname "$0")"
tasks=corpus/fuzz_run_task
config=corpus/fuzz_configuration
rm -rf "$tasks" "$config"
mkdir -p "$tasks" "$config"

for golden in ../tests/golden/*.golden; do
    stem=$(basename "$golden" .golden)
    awk '!/^#!/ && sub(/^> /, "") { sub(/ => .*/, ""); print }' "$golden" | split -l 10 -d - "$tasks/$stem-"
done
# Line ends of every kind, a NUL and Windows-1252 signs in one sequence.
printf '2+3\r\n*2\r4\n#mem\n#mem+\nmem\x00junk\n6\xd76\n9\xf73\n' > "$tasks/line-ends"
printf '#deg\n#fix 4\n#dig 1\n#comma\n1234.5\n#fun 0\nsin30\n#sci\n#grad\n#20\n' > "$tasks/settings"

save() {  # save NAME TASK...: the configuration file written after the tasks
    local name=$1 folder
    shift
    folder=$(mktemp -d)
    "$cli" --config "$folder/mvn.cfg" "$@" --save-config > /dev/null
    cp "$folder/mvn.cfg" "$config/$name"
    rm -rf "$folder"
}
save default
save deg-fix-4 '#deg' '#fix 4'
save sci-comma '#grad' '#sci 6' '#dig 1' '#fun 0' '#comma'
save dec-negative '#dec -3' '#dig 7' '#fun 2'
# View options and a last line without a line feed.
{ cat "$config/default"; printf '#501\r\n#502\r\n#503\r\n#504\r\n#505\r\n#fix'; } > "$config/view-options"
echo "seeds: $(ls "$tasks" | wc -l) task files, $(ls "$config" | wc -l) configuration files"
