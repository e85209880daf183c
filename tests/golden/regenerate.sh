#!/bin/sh
# Rewrites every golden trace of both editions (sim/ for the current one, classic/
# for the earlier one) from the current rules. Run it only after a rule change you
# mean, then review the diff of the .jsonl files before committing:
#   tests/golden/regenerate.sh build/run/vortane-sim
set -eu
sim=$(realpath "${1:?usage: regenerate.sh PATH/TO/vortane-sim}")
for folder in "$(dirname "$0")"/sim "$(dirname "$0")"/classic; do
  (
    cd "$folder"
    grep -v '^#' cases.txt | grep -v '^[[:space:]]*$' | while read -r name options; do
      # shellcheck disable=SC2086  # the options are meant to split into words
      "$sim" $options > "$name.jsonl"
      echo "wrote $folder/$name.jsonl"
    done
  )
done
