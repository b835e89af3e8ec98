#!/usr/bin/env bash
# Compares the files installed below ROOT with the package's list of files:
#   installed_files_test.sh ROOT LIST
set -euo pipefail
root=$1
list=$2
installed=$(cd "$root" && find . ! -type d | sed 's/^\.//' | sort)
if ! diff -u <(sort "$list") <(echo "$installed"); then
    echo "the files installed in $root differ from $list (- listed, + installed)"
    exit 1
fi
