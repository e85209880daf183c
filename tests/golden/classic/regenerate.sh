#!/bin/sh
# Rewrites every golden trace of the earlier edition from the current rules. Run it
# only after a rule change you mean, then review the diff of the .jsonl files:
#   tests/golden/classic/regenerate.sh build/run/vortane-sim
set -eu
sim=$(realpath "${1:?usage: regenerate.sh PATH/TO/vortane-sim}")
cd "$(dirname "$0")"
grep -v '^#' cases.txt | grep -v '^[[:space:]]*$' | while read -r name options; do
  # shellcheck disable=SC2086  # the options are meant to split into words
  "$sim" $options > "$name.jsonl"
  echo "wrote $name.jsonl"
done
