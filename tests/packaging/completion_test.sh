#!/usr/bin/env bash
# Drives the generated bash completion of fiscora-cli as bash would, on a data folder made
# with the program itself:  completion_test.sh COMPLETION CLI
set -uo pipefail
# Sourced inside a function, as bash-completion loads it on first use.
load() {
    # shellcheck source=/dev/null
    source "$1"
}
load "$1"
cli=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/invest" "$work/inbox"
touch "$work/invoice.txt" "$work/report.pdf"
FISCORA_PASSWORD=secret "$cli" --data "$work/invest/" --params "$work/trdpara.dat" \
    create-account 张三 --trade-type 深沪A股 --capital 1000 >/dev/null ||
    { echo "cannot make the sample account"; exit 1; }

failures=0
# expect "CANDIDATES" WORD...: completes the last word (as bash splits the line, "=" being a
# word of its own) and compares the sorted candidates, separated by spaces.
expect() {
    local expected=$1
    shift
    COMP_WORDS=("$cli" "$@")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    _fiscora_cli
    local got
    got=$(printf '%s\n' "${COMPREPLY[@]}" | sort | tr '\n' ' ')
    got=${got% }
    if [[ $got != "$expected" ]]; then
        echo "fiscora-cli ${*@Q}: got \"$got\", expected \"$expected\""
        failures=$((failures + 1))
    fi
}

# Commands and options.
expect "backups book" b
expect "create-account" cr
expect "--format" --f
expect "create-account" help cr
expect "--market" book 张三 --ma
expect "--capital" create-account 李四 --trade-type 深沪A股 --ca

# Option values: alternatives, folders only for DIR, files for FILE, also after "=".
expect "json tsv" --format ""
expect "json" --format = j
expect "$work/inbox $work/invest" --data "$work/in"
expect "$work/report.pdf" report 张三 --pdf "$work/rep"
expect "" book 张三 --price ""

# The values a command's help lists for a placeholder: kinds, markets, trade types, and the
# actions of params.
expect "bonus buy" --data "$work/invest" book 张三 b
expect "cash-in cash-out" ledger 张三 --kind cash-
expect "上海 深圳" book 张三 buy --market ""
expect "上海" returns 张三 --benchmark-market = 上
expect "深沪A股 深证B股" create-account 李四 --trade-type 深
expect "add delete edit" params ""
expect "" params edit ""
expect "profit profit-share" chart 张三 --kind prof

# Accounts come from the data folder given before the command, in either option form.
expect "张三" --data "$work/invest" ledger ""
expect "张三" --data = "$work/invest/" --format json holdings 张
expect "" --data "$work/invest" summary 张三 ""
expect "" --data "$work/empty" ledger ""

exit $((failures > 0))
