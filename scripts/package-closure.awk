# Prints, one a line, the packages a fresh Debian system has after `apt-get install
# --no-install-recommends` of the packages in `roots` (space separated): every package with
# Essential: yes or Priority: required, the roots, and what their Pre-Depends and Depends pull in,
# transitively. Recommends and Suggests are not followed. Only installed packages are known, which
# is enough: an installed package's dependencies are installed too.
#
# Input, one installed or not installed package a line:
#   dpkg-query -W -f='${Package}\t${db:Status-Status}\t${Essential}\t${Priority}\t${Pre-Depends}\t${Depends}\t${Provides}\n'
#
# Choosing between alternatives ("a | b") follows apt: a group one of whose alternatives is already
# in the set is met; otherwise the first alternative that is a package, or that a package provides,
# is taken. Groups without alternatives are followed first, so an alternative pulled in for another
# reason meets a group the way it does when apt resolves the whole set. Among several packages that
# provide the same name the first in name order is taken: which one apt takes is not known here,
# and counting all of them would hide a package the build needs but a fresh system lacks.
# An alternative that is not installed here cannot be followed, so a group met here by a later
# alternative counts as met by it, though apt on a fresh system might take the earlier one.
BEGIN { FS = "\t" }

function bare(dependency) {
    sub(/\(.*/, "", dependency)      # version constraint
    sub(/\[.*/, "", dependency)      # architecture restriction
    gsub(/[ \t]/, "", dependency)
    sub(/:.*/, "", dependency)       # :any, :native, :amd64
    return dependency
}

$2 == "installed" {
    name = $1
    installed[name] = 1
    dependencies = $5
    if ($6 != "")
        dependencies = dependencies (dependencies == "" ? "" : ",") $6
    if (dependencies != "")
        depends[name] = depends[name] (depends[name] == "" ? "" : ",") dependencies
    if ($3 == "yes" || $4 == "required")
        base[name] = 1
    count = split($7, provided, ",")
    for (i = 1; i <= count; i++) {
        virtual = bare(provided[i])
        if (virtual != "" && !((virtual, name) in provides)) {
            provides[virtual, name] = 1
            providers[virtual] = providers[virtual] " " name
        }
    }
}

# The installed package that stands for `wanted`: itself, or the first provider in name order.
function candidate(wanted,    list, count, i, best) {
    if (wanted in installed)
        return wanted
    if (!(wanted in providers))
        return ""
    count = split(providers[wanted], list, " ")
    best = ""
    for (i = 1; i <= count; i++)
        if (best == "" || list[i] < best)
            best = list[i]
    return best
}

function met(wanted,    list, count, i) {
    if (wanted in chosen)
        return 1
    if (!(wanted in providers))
        return 0
    count = split(providers[wanted], list, " ")
    for (i = 1; i <= count; i++)
        if (list[i] in chosen)
            return 1
    return 0
}

function choose(name) {
    if (name == "" || name in chosen)
        return
    chosen[name] = 1
    queue[++queued] = name
}

# Follows the plain dependencies of everything chosen; alternative groups wait in `pending`.
function follow_plain(    name, count, i, group, alternatives) {
    while (done < queued) {
        name = queue[++done]
        count = split(depends[name], group, ",")
        for (i = 1; i <= count; i++) {
            if (split(group[i], alternatives, "|") > 1)
                pending[++pendings] = group[i]
            else
                choose(candidate(bare(group[i])))
        }
    }
}

function resolve_group(group,    alternatives, count, i, name) {
    count = split(group, alternatives, "|")
    for (i = 1; i <= count; i++)
        if (met(bare(alternatives[i])))
            return
    for (i = 1; i <= count; i++) {
        name = candidate(bare(alternatives[i]))
        if (name != "") {
            choose(name)
            return
        }
    }
}

END {
    for (name in base)
        choose(name)
    count = split(roots, listed, " ")
    for (i = 1; i <= count; i++) {
        if (!(listed[i] in installed)) {
            print "not installed: " listed[i] > "/dev/stderr"
            missing_root = 1
        }
        choose(listed[i])
    }
    follow_plain()
    for (next_group = 1; next_group <= pendings; next_group++) {
        resolve_group(pending[next_group])
        follow_plain()
    }
    for (name in chosen)
        if (name in installed)
            print name
    exit (missing_root ? 2 : 0)
}
