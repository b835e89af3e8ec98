# Turns fiscora-cli's help into manual page text (man macros).
#
#   mode=overview  one input, the --help text: SYNOPSIS, DESCRIPTION (every plain paragraph),
#                  then one section per heading ("Commands:") or label ("Output: ...") in the
#                  order of the help; the Commands section is the file `details`.
#   mode=command   two inputs, the --help text then "help NAME": a subsection for the
#                  command, leaving out every paragraph the overview already has.
#
# Help layout read: paragraphs separated by blank lines; a heading is a line at column 0
# ending with ':'; list entries are "  TERM  description" with continuations indented
# deeper.

function esc(s) {
    gsub(/\\/, "\\e", s)
    gsub(/-/, "\\-", s)
    if (s ~ /^[.']/) s = "\\&" s
    return s
}

function trim(s) {
    sub(/^ +/, "", s)
    sub(/ +$/, "", s)
    return s
}

# Options bold, placeholders (capitals) italic, a leading command name or code bold;
# brackets around a word stay plain.
function term(t,    words, count, i, w, pre, post, out) {
    count = split(t, words, " ")
    out = ""
    for (i = 1; i <= count; i++) {
        w = words[i]
        pre = ""
        post = ""
        if (w ~ /^\[/) { pre = "["; w = substr(w, 2) }
        if (w ~ /\]$/) { post = "]"; w = substr(w, 1, length(w) - 1) }
        if (w ~ /^-/ || i == 1 && w !~ /^[A-Z][A-Z|]*$/)
            w = "\\fB" esc(w) "\\fR"
        else if (w ~ /^[A-Z][A-Z|]*$/)
            w = "\\fI" esc(w) "\\fR"
        else
            w = esc(w)
        out = out (i > 1 ? " " : "") pre w post
    }
    return out
}

# "Fields: ...", "JSON also: ...": one or two words and a colon opening a line.
function isLabel(line) { return line ~ /^[A-Z][A-Za-z]*( [a-z]+)?: / }

# Lines of a paragraph from index `first` on: entries become tagged paragraphs, text is
# filled.
function body(first,    i, line, out, pos) {
    out = ""
    for (i = first; i <= n; i++) {
        line = lines[i]
        if (line ~ /^  [^ ]/) {
            line = substr(line, 3)
            pos = index(line, "  ")
            if (pos == 0) pos = length(line) + 1
            out = out ".TP\n" term(substr(line, 1, pos - 1)) "\n"
            if (trim(substr(line, pos)) != "") out = out esc(trim(substr(line, pos))) "\n"
        } else if (isLabel(line)) {
            pos = index(line, ":")
            out = out ".TP\n\\fB" esc(substr(line, 1, pos)) "\\fR\n" esc(trim(substr(line, pos + 1))) "\n"
        } else {
            out = out esc(trim(line)) "\n"
        }
    }
    return out
}

function heading(t) {
    sub(/:$/, "", t)
    if (index(t, " (") > 0)
        return toupper(substr(t, 1, index(t, " (") - 1)) substr(t, index(t, " ("))
    return toupper(t)
}

function text(    i, s) {
    s = lines[1]
    for (i = 2; i <= n; i++) s = s "\n" lines[i]
    return s
}

function overviewParagraph(    pos, line) {
    if (lines[1] ~ /^Usage: /) {
        sub(/^Usage: /, "", lines[1])
        synopsis = term(lines[1]) "\n"
    } else if (lines[1] ~ /^[^ ].*:$/) {
        sections = sections ".SH \"" esc(heading(lines[1])) "\"\n"
        if (lines[1] == "Commands:") {
            while ((getline line < details) > 0) sections = sections line "\n"
        } else {
            sections = sections body(2)
        }
    } else if (isLabel(lines[1])) {
        pos = index(lines[1], ":")
        sections = sections ".SH \"" esc(heading(substr(lines[1], 1, pos))) "\"\n"
        lines[1] = trim(substr(lines[1], pos + 1))
        sections = sections body(1)
    } else {
        description = description ".PP\n" body(1)
    }
}

function commandParagraph() {
    if (lines[1] ~ /^Usage: /) {
        sub(/^Usage: /, "", lines[1])
        printf ".SS \"%s\"\n%s\n", name, term(lines[1])
    } else if (!(text() in shared)) {
        if (lines[1] ~ /^[^ ].*:$/)
            printf ".PP\n\\fB%s\\fR\n%s", esc(lines[1]), body(2)
        else
            printf ".PP\n%s", body(1)
    }
}

function paragraph() {
    if (n == 0) return
    if (mode == "overview")
        overviewParagraph()
    else if (inOverview)
        shared[text()] = 1
    else
        commandParagraph()
    n = 0
}

FNR == 1 { paragraph() }
/^$/ { paragraph(); next }
{
    if (n == 0) inOverview = FILENAME == ARGV[1]
    lines[++n] = $0
}

END {
    paragraph()
    if (mode == "overview")
        printf ".SH SYNOPSIS\n%s.SH DESCRIPTION\n%s%s", synopsis, description, sections
}
