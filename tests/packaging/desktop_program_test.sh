#!/usr/bin/env bash
# The desktop program as a new user meets it: started with a fresh HOME under Xvfb, an
# account is created and money paid in through the window's menus and dialogs, typed as a
# user types them (xdotool). The files must then be in ~/.local/share/fiscora, and
# fiscora-cli, given no option at all, must read the same account.
#   desktop_program_test.sh FISCORA FISCORA_CLI
set -euo pipefail
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1366x768x24" bash "$0" "$@"
fi
program=$1 cli=$2
HOME=$(mktemp -d)
export HOME LANG=C.UTF-8
# Under AddressSanitizer: libxkbcommon-x11 hands strndup a buffer with no terminator within
# its bound, which is sound but fails the strict string check (later options win).
[ -n "${ASAN_OPTIONS:-}" ] && export ASAN_OPTIONS="$ASAN_OPTIONS:strict_string_checks=0"
unset XDG_DATA_HOME XDG_CONFIG_HOME FISCORA_HOME FISCORA_PASSWORD
cd "$HOME"
pid=""
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$HOME"' EXIT

fail() {
    echo "$*" >&2
    [ -n "$pid" ] && for window in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
        echo "a window shows: $(xdotool getwindowname "$window")" >&2
    done
    [ -f "$HOME/program.log" ] && sed 's/^/fiscora: /' "$HOME/program.log" >&2
    exit 1
}
# Waits (half a minute at most) for a window of the program whose title matches $1, and
# prints its id. Asked again and again: a search fails outright when a window it looks at
# closes meanwhile.
await() {
    local window
    for _ in $(seq 150); do
        window=$(xdotool search --all --onlyvisible --pid "$pid" --name "$1" 2>/dev/null | head -n 1)
        [ -n "$window" ] && echo "$window" && return 0
        sleep 0.2
    done
    return 1
}
# Gives the keyboard to the main window, once its title matches $1; a dialog the program
# opens takes the keyboard itself.
focus() {
    local window
    window=$(await "$1") && [ -n "$window" ] || fail "no window \"$1\" appeared"
    xdotool windowfocus --sync "$window"
}
dialog() {
    [ -n "$(await "$1")" ] || fail "no dialog \"$1\" appeared"
}
# Opens the menu of mnemonic $1 and runs its item $2 (counted from 1) with the keyboard, once
# the menu shows.
menu() {
    local shown
    shown=$(xdotool search --onlyvisible --pid "$pid" | wc -l)
    xdotool key "alt+$1"
    for _ in $(seq 100); do
        [ "$(xdotool search --onlyvisible --pid "$pid" | wc -l)" -gt "$shown" ] && break
        sleep 0.1
    done
    for _ in $(seq 2 "$2"); do xdotool key Down; done
    xdotool key Return
}
type_line() {
    xdotool type --delay 30 "$1"
    xdotool key Return
}

"$program" >"$HOME/program.log" 2>&1 &
pid=$!
focus '^Fiscora'
# 帐户 -> 新建帐户 (after 撤销 and 登录帐户): name, password twice, the capital, then Enter
# through the trade type and the remark, which confirms.
menu a 3
dialog '新建帐户'
type_line demo
type_line secret
type_line secret
xdotool key ctrl+a
type_line 10000
xdotool key Return Return
# 资金 -> 追加资金 on the new account, logged in by its creation: the amount after the day.
focus '^Fiscora -\[demo\]'
menu b 1
dialog '追加资金'
xdotool key Tab ctrl+a
type_line 2500

ledger() { FISCORA_PASSWORD=secret "$cli" ledger demo 2>&1 || true; }
for _ in $(seq 50); do
    [ "$(ledger | wc -l)" -ge 3 ] && break
    sleep 0.2
done
kill "$pid"
wait "$pid" 2>/dev/null || true
pid=""

home=$HOME/.local/share/fiscora
for file in invest/pinfo.dat invest/demo.da0; do
    [ -f "$home/$file" ] || fail "no $file in $home: $(cd "$HOME" && find . -type f)"
done
accounts=$("$cli" accounts) || fail "fiscora-cli accounts: $accounts"
grep -q '^demo	深沪A股	10000.000	' <<<"$accounts" || fail "fiscora-cli accounts gave: $accounts"
grep -q '	2500.000	1	$' <<<"$(ledger)" || fail "the deposit is not in the ledger: $(ledger)"
echo "fiscora booked in $home; fiscora-cli read it without options"
