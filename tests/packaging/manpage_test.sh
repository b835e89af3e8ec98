#!/usr/bin/env bash
# Checks the manual page generated from fiscora-cli's help:  manpage_test.sh PAGE CLI
set -uo pipefail
page=$1
cli=$2
failures=0
fail() {
    echo "$*"
    failures=$((failures + 1))
}

warnings=$(groff -man -ww -z -K utf8 -Tutf8 "$page" 2>&1)
[[ -z $warnings ]] || fail "groff warns: $warnings"
# The text as one line, every run of spaces and line ends made one space.
text=$(groff -man -K utf8 -Tutf8 -P -cbou "$page" 2>&1 | tr -s " \n" "  ")
contains() {
    grep -qF -- "$1" <<<"$text" || fail "the page lacks \"$1\""
}

# Every command the overview lists has its subsection, if it has a help of its own.
for command in $("$cli" --help | awk '/^Commands:$/ { on = 1; next } on && /^$/ { exit } on { print $1 }'); do
    if "$cli" help "$command" >/dev/null 2>&1; then
        grep -qxF ".SS \"$command\"" "$page" || fail "no subsection for $command"
    fi
done

# Backslashes, dashes and Chinese text come through as the help has them.
contains 'backslashes inside texts are written \t, \n, \r and \\.'
contains '--trade-type 深沪A股|深证B股|上证B股'
contains '股票代码, at most 6 digits'
contains 'fiscora-cli [OPTIONS] COMMAND [ARGS]'
# Text the help has only once per command is not repeated.
[[ $(grep -cF -- '--password-file FILE' <<<"$text") == 1 ]] || fail "global options repeated"
contains 'keeps a casual reader out, not a determined one'

exit $((failures > 0))
