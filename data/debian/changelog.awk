# Writes the Debian changelog of the package from CHANGELOG.md: each "## VERSION — YYYY-MM-DD"
# heading opens an entry, and its paragraphs and "- " items become "  * " items wrapped at
# 78 columns. Variables: package, maintainer ("Name <address>").

function wrap(text,    count, words, i, line) {
    count = split(text, words, /[ \t]+/)
    line = "  *"
    for (i = 1; i <= count; i++) {
        if (words[i] == "")
            continue
        if (line != "  *" && length(line) + 1 + length(words[i]) > 78) {
            print line
            line = "   "
        }
        line = line " " words[i]
    }
    print line
}

function endItem() {
    if (item != "")
        wrap(item)
    item = ""
}

function endEntry() {
    endItem()
    if (version != "")
        printf "\n -- %s  %s\n", maintainer, date
}

/^## / {
    endEntry()
    if (version != "")
        print ""
    version = $2
    command = "LC_ALL=C date -u -d " $NF " '+%a, %d %b %Y 00:00:00 +0000'"
    command | getline date
    close(command)
    printf "%s (%s) unstable; urgency=medium\n\n", package, version
    next
}
version == "" { next }
/^- / { endItem(); item = substr($0, 3); next }
/^[ \t]*$/ { endItem(); next }
{ item = item " " $0 }
END { endEntry() }
