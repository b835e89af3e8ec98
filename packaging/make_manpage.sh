#!/bin/sh
# Writes fiscora-cli's manual page from its own help, so the two never differ:
#   make_manpage.sh CLI OUTPUT VERSION EXTRA
# The overview (--help) gives the synopsis, description, options and exit status; each
# command's help ("help NAME") its subsection; EXTRA (roff) is appended as it is.
set -eu
here=$(dirname "$0")
. "$here/cli_help.sh"
cli=$1 output=$2 version=$3 extra=$4

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$cli" --help >"$work/overview"
commands=$(help_commands <"$work/overview")
: >"$work/details"
for command in $commands; do
    # "help" itself has no help page.
    "$cli" help "$command" >"$work/command" 2>/dev/null || continue
    awk -v mode=command -v name="$command" -f "$here/help_to_roff.awk" \
        "$work/overview" "$work/command" >>"$work/details"
done

{
    printf '.TH FISCORA\\-CLI 1 "" "Fiscora %s" "User Commands"\n' "$version"
    # Field and option names are never hyphenated, and the text is not stretched to the margin.
    printf '.nh\n.ad l\n'
    printf '.SH NAME\nfiscora\\-cli \\- Fiscora'\''s investment ledger on the command line\n'
    awk -v mode=overview -v details="$work/details" -f "$here/help_to_roff.awk" "$work/overview"
    cat "$extra"
} >"$output.part"
mv "$output.part" "$output"
