# shellcheck shell=bash disable=SC2154 # the tables are generated above this part
# The part of fiscora-cli's bash completion that does not depend on its commands; the tables
# above it (_fiscora_cli_commands, _fiscora_cli_global, _fiscora_cli_options,
# _fiscora_cli_arguments, _fiscora_cli_values) come from the program's help.

# The placeholder of option $2 in the "NAME VALUE" lines $1; fails for an unknown option.
_fiscora_cli_placeholder() {
    local name value
    while IFS=" " read -r name value; do
        if [[ $name == "$2" ]]; then
            printf '%s' "$value"
            return 0
        fi
    done <<<"$1"
    return 1
}

# Completes $cur as a value for placeholder $1: folders for DIR, files for FILE, the
# alternatives of "a|b", the registry's accounts for ACCOUNT, nothing for free text.
_fiscora_cli_value() {
    local IFS=$'\n' names
    local -a from=()
    [[ -n $data ]] && from=(--data "$data")
    case $1 in
    DIR)
        compopt -o filenames 2>/dev/null
        mapfile -t COMPREPLY < <(compgen -d -- "$cur")
        ;;
    FILE)
        compopt -o filenames 2>/dev/null
        mapfile -t COMPREPLY < <(compgen -f -- "$cur")
        ;;
    ACCOUNT)
        # The first column of "accounts", read from the data folder already given.
        names=$("${COMP_WORDS[0]}" "${from[@]}" accounts 2>/dev/null | tail -n +2 | cut -f1)
        mapfile -t COMPREPLY < <(compgen -W "$names" -- "$cur")
        ;;
    *'|'*) mapfile -t COMPREPLY < <(compgen -W "${1//|/$'\n'}" -- "$cur") ;;
    esac
}

_fiscora_cli() {
    local cur=${COMP_WORDS[COMP_CWORD]} command="" data="" options placeholder word i
    local -a arguments=()
    COMPREPLY=()
    # Walk the words before the cursor. An option's value may follow as the next word or
    # after "=" (which bash makes a word of its own).
    for ((i = 1; i < COMP_CWORD; i++)); do
        word=${COMP_WORDS[i]}
        options=$_fiscora_cli_global
        [[ -n $command ]] && options=${_fiscora_cli_options[$command]-}
        if [[ $word == -* ]] && placeholder=$(_fiscora_cli_placeholder "$options" "$word"); then
            [[ -z $placeholder ]] && continue
            [[ ${COMP_WORDS[i + 1]-} == "=" ]] && ((i++))
            ((i++))
            ((i >= COMP_CWORD)) && break
            [[ $word == --data ]] && data=${COMP_WORDS[i]/#\~/$HOME}
        elif [[ -z $command && $word != -* ]]; then
            command=$word
        elif [[ $word != -* ]]; then
            arguments+=("$word")
        fi
    done

    # The value of the option just before the cursor.
    local option=${COMP_WORDS[COMP_CWORD - 1]}
    [[ $option == "=" ]] && option=${COMP_WORDS[COMP_CWORD - 2]} && [[ $cur == "=" ]] && cur=""
    [[ $cur == "=" ]] && option=${COMP_WORDS[COMP_CWORD - 1]} && cur=""
    options=$_fiscora_cli_global
    [[ -n $command ]] && options=${_fiscora_cli_options[$command]-}
    local values=""
    [[ -n $command ]] && values=${_fiscora_cli_values[$command]-}
    if ((COMP_CWORD > 1)) && [[ $option == -* ]] &&
        placeholder=$(_fiscora_cli_placeholder "$options" "$option") && [[ -n $placeholder ]]; then
        # The values the command's help lists for the option, else those of its placeholder.
        _fiscora_cli_value "$(_fiscora_cli_placeholder "$values" "$option" || echo "$placeholder")"
        return
    fi

    local IFS=$'\n'
    if [[ $cur == -* ]]; then
        mapfile -t COMPREPLY < <(compgen -W "$(cut -d' ' -f1 <<<"$options")" -- "$cur")
    elif [[ -z $command || ($command == help && ${#arguments[@]} -eq 0) ]]; then
        mapfile -t COMPREPLY < <(compgen -W "$_fiscora_cli_commands" -- "$cur")
    elif [[ -n ${_fiscora_cli_arguments[$command]+set} ]]; then
        local -a wanted
        IFS=" " read -ra wanted <<<"${_fiscora_cli_arguments[$command]}"
        placeholder=${wanted[${#arguments[@]}]-}
        _fiscora_cli_value "$(_fiscora_cli_placeholder "$values" "$placeholder" || echo "$placeholder")"
    fi
}

complete -F _fiscora_cli fiscora-cli
