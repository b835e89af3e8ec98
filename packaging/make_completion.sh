#!/bin/sh
# Writes fiscora-cli's bash completion from its own help, so every command and option it
# lists completes:
#   make_completion.sh CLI OUTPUT
# The tables come from --help and "help NAME"; the logic is completion_logic.bash.
set -eu
here=$(dirname "$0")
. "$here/cli_help.sh"
cli=$1 output=$2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$cli" --help >"$work/overview"
help_options <"$work/overview" >"$work/global"
commands=$(help_commands <"$work/overview")

{
    echo "# bash completion for fiscora-cli, generated from its help by make_completion.sh."
    echo "# shellcheck shell=bash"
    printf "_fiscora_cli_commands='%s'\n" "$commands"
    printf "_fiscora_cli_global='%s'\n" "$(cat "$work/global")"
    # Global: bash-completion sources this file inside a function.
    echo "declare -gA _fiscora_cli_options=() _fiscora_cli_arguments=() _fiscora_cli_values=()"
    for command in $commands; do
        "$cli" help "$command" >"$work/command" 2>/dev/null || continue
        # The command's own options: those of its help that the overview does not have,
        # and --help.
        options=$(help_options <"$work/command" | { grep -vxF -f "$work/global" || true; }; echo --help)
        printf "_fiscora_cli_options[%s]='%s'\n" "$command" "$options"
        printf "_fiscora_cli_arguments[%s]='%s'\n" "$command" \
            "$(help_arguments "$command" <"$work/command" | paste -sd ' ' -)"
        printf "_fiscora_cli_values[%s]='%s'\n" "$command" "$(help_values <"$work/command")"
    done
    echo
    cat "$here/completion_logic.bash"
} >"$output.part"
mv "$output.part" "$output"
