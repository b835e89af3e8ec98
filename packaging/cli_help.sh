# Reading fiscora-cli's own help, for the generated manual page and bash completion.
# Sourced by make_manpage.sh and make_completion.sh; every function reads help text on stdin.

# The names of the overview's command list, one a line. Fails when there is none, so that a
# change of the help's layout stops the build instead of leaving the commands out.
help_commands() {
    awk '/^Commands:$/ { on = 1; next } on && /^$/ { exit } on && /^  [^ ]/ { print $1; found = 1 }
         END { if (!found) { print "no \"Commands:\" list in the help" > "/dev/stderr"; exit 1 } }'
}

# Every option entry ("  -h, --help   text", "  --data DIR   text") as "NAME VALUE", one
# name a line; VALUE is empty for an option without one. The "Values:" list is not one.
help_options() {
    awk '/^Values:$/ { values = 1; next } !/^  / { values = 0 } !values && /^  -/ {
        line = substr($0, 3)
        end = index(line, "  ")
        if (end > 0) line = substr(line, 1, end - 1)
        count = split(line, words, " ")
        value = words[count] ~ /^-/ ? "" : words[count]
        for (i = 1; i <= count; i++) {
            name = words[i]
            sub(/,$/, "", name)
            if (name ~ /^-/) print (value == "" ? name : name " " value)
        }
    }'
}

# The argument placeholders of a command's usage line ("ACCOUNT KIND"), one a line: the
# words after the command name up to its options. An optional group of alternatives
# ("[add|edit NAME|delete NAME]") gives the first words of its alternatives as one
# placeholder ("add|edit|delete"), then the words that follow them.
help_arguments() {
    awk -v command="$1" 'NR == 1 {
        for (i = 1; i <= NF; i++) if ($i == command) break
        for (i++; i <= NF && $i !~ /^-|^\[-/; i++) {
            if ($i !~ /^\[/) { print $i; continue }
            group = $i
            while (group !~ /\]$/ && i < NF) group = group " " $(++i)
            gsub(/[][]/, "", group)
            count = split(group, alternatives, "|")
            first = ""; rest = ""
            for (a = 1; a <= count; a++) {
                n = split(alternatives[a], words, " ")
                first = first (a > 1 ? "|" : "") words[1]
                if (n > 1) rest = words[2]
            }
            print first
            if (rest != "") print rest
        }
        exit
    }'
}

# The "Values:" list of a command's help ("  KIND   a|b|c"), as "KIND a|b|c" one a line.
help_values() {
    awk '/^Values:$/ { on = 1; next } on && !/^  / { exit } on { print $1, $2 }'
}
