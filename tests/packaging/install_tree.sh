#!/usr/bin/env bash
# Installs the build into a temporary prefix, as `cmake --install` does, and
# checks what lands there: the programs and their versions, the man pages, the
# menu entry and its icons, the translations, the kiosk service and the script
# that starts the terminal in a site folder.
# Usage: install_tree.sh BUILD_DIR VERSION PROGRAM...
set -euo pipefail
source "$(dirname "$0")/checks.sh"
build=$1 version=$2
shift 2
programs=("$@")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null

for program in "${programs[@]}"; do
    [ -x "$prefix/bin/$program" ] || fail "bin/$program is not installed"
    expect_eq "$program --version" "$("$prefix/bin/$program" --version)" "$program $version"
    man=$prefix/share/man/man1/$program.1.gz
    if [ ! -f "$man" ]; then
        fail "no man page for $program"
        continue
    fi
    expect_eq "groff warnings for $program.1" "$(zcat "$man" | groff -man -ww -z -Tutf8 2>&1)" ""
    page=$(zcat "$man")
    for section in NAME SYNOPSIS DESCRIPTION FILES '"EXIT STATUS"'; do
        expect_match "$program.1" "$page" "^\.SH $section\$"
    done
    expect_match "$program.1 header" "$page" "^\.TH .* \"jobcosting $version\""
done

icons=$prefix/share/icons/hicolor
for size in 16 32 48 64 128 256; do
    expect_match "${size}x$size icon" "$(file -b "$icons/${size}x$size/apps/jobcosting.png" 2>&1)" \
        "^PNG image data, $size x $size,"
done
expect_match "scalable icon" "$(file -b "$icons/scalable/apps/jobcosting.svg" 2>&1)" "SVG"
[ -f "$prefix/share/doc/jobcosting/README.md" ] || fail "README.md is not in share/doc/jobcosting"
# Every translation the build made, where the programs look for it: share/ beside bin/.
translations=("$build"/translations/jobcosting_*.qm)
[ -e "${translations[0]}" ] || fail "the build made no translations"
for qm in "${translations[@]}"; do
    cmp -s "$qm" "$prefix/share/jobcosting/translations/$(basename "$qm")" ||
        fail "$(basename "$qm") is not installed in share/jobcosting/translations"
done

start=$prefix/libexec/jobcosting/start-in-site
desktop=$prefix/share/applications/jobcosting.desktop
unit=$prefix/lib/systemd/user/jobcosting.service
[ -x "$start" ] || fail "$start is not an installed program"
if validation=$(desktop-file-validate "$desktop" 2>&1); then
    expect_eq "desktop-file-validate" "$validation" ""
else
    fail "desktop-file-validate: $validation"
fi
expect_eq "menu entry's Exec" "$(key_of Exec "$desktop")" "$start"
expect_eq "menu entry's Icon" "$(key_of Icon "$desktop")" jobcosting
desk_entry=$prefix/share/applications/jobcosting-desk.desktop
if validation=$(desktop-file-validate "$desk_entry" 2>&1); then
    expect_eq "desktop-file-validate, the desk" "$validation" ""
else
    fail "desktop-file-validate, the desk: $validation"
fi
expect_eq "the desk's menu entry's Exec" "$(key_of Exec "$desk_entry")" "$start desk"
expect_eq "kiosk's ExecStart" "$(key_of ExecStart "$unit")" "$start"
expect_eq "kiosk's Restart" "$(key_of Restart "$unit")" on-failure
# A refusal that needs a person is not started again; an unreachable server is,
# after a pause that keeps a long outage within the start limit.
expect_eq "kiosk's RestartPreventExitStatus" "$(key_of RestartPreventExitStatus "$unit")" 78
expect_match "kiosk's pause after status 75" "$(key_of ExecStopPost "$unit")" 'EXIT_STATUS" != 75 ] \|\| sleep'
if command -v systemd-analyze >/dev/null; then
    if verification=$(XDG_RUNTIME_DIR=$work systemd-analyze --user verify --man=no "$unit" 2>&1); then
        expect_eq "systemd-analyze verify" "$verification" ""
    else
        fail "systemd-analyze verify: $verification"
    fi
else
    echo "systemd-analyze is not installed: the kiosk service is not verified"
fi

# The start script, with a stand-in terminal that tells where it runs and ends
# with status 3, which the script must hand on to the kiosk service unchanged;
# the desk's stand-in says so, from the same folder.
cat >"$prefix/bin/jobcosting" <<'STANDIN'
#!/bin/sh
pwd
exit 3
STANDIN
cat >"$prefix/bin/jobcosting-desk" <<'STANDIN'
#!/bin/sh
echo "desk in $(pwd)"
STANDIN
mkdir -p "$work/site one" "$work/site two" "$work/home/.config/jobcosting"
userconf=$work/home/.config/jobcosting/site.conf
# name | JOBCOSTING_SITE in the environment | the user's site.conf | status | output
cases=(
    "user's site.conf||# the site\nJOBCOSTING_SITE = \"$work/site one\"  \n|3|$work/site one"
    "environment before site.conf|$work/site two|JOBCOSTING_SITE=$work/site one|3|$work/site two"
    "last line counts||JOBCOSTING_SITE=$work/site two\nJOBCOSTING_SITE=$work/site one|3|$work/site one"
    "folder missing (a share not mounted yet)||JOBCOSTING_SITE=$work/gone|1|"
)
if [ ! -e /etc/jobcosting/site.conf ]; then
    cases+=("no site set|||78|")
fi
for row in "${cases[@]}"; do
    IFS='|' read -r name environment conf status output <<<"$row"
    rm -f "$userconf"
    [ -n "$conf" ] && printf "$conf" >"$userconf"
    set +e
    actual=$(cd "$work" && env -u XDG_CONFIG_HOME HOME="$work/home" JOBCOSTING_SITE="$environment" \
        "$start" 2>/dev/null)
    actual_status=$?
    set -e
    expect_eq "start-in-site, $name: status" "$actual_status" "$status"
    expect_eq "start-in-site, $name: folder" "$actual" "$output"
done
expect_eq "start-in-site desk" \
    "$(cd "$work" && env -u XDG_CONFIG_HOME HOME="$work/home" JOBCOSTING_SITE="$work/site one" \
        "$start" desk 2>/dev/null)" "desk in $work/site one"

finish
