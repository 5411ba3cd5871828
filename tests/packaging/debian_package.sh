#!/usr/bin/env bash
# Makes the Debian package with CPack, as `scripts/package` does, and checks
# its control fields (dpkg-deb -I) and its contents (dpkg-deb -c): the paths it
# installs, and that the files naming installed paths name /usr; then what
# lintian and appstreamcli say of it, the programs' hardening, and its
# maintainer scripts, run as dpkg runs them on a scratch root.
# Usage: debian_package.sh BUILD_DIR VERSION PROGRAM...
set -euo pipefail
source "$(dirname "$0")/checks.sh"
build=$1 version=$2
shift 2
programs=("$@")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if ! log=$(cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" 2>&1); then
    echo "$log" >&2
    fail "cpack -G DEB failed"
    finish
fi
deb=$work/jobcosting_${version}_$(dpkg --print-architecture).deb
if [ ! -f "$deb" ]; then
    fail "no $(basename "$deb"); cpack made: $(ls "$work")"
    finish
fi

field() { dpkg-deb -f "$deb" "$1"; }
expect_eq "Package" "$(field Package)" jobcosting
expect_eq "Version" "$(field Version)" "$version"
expect_eq "Architecture" "$(field Architecture)" "$(dpkg --print-architecture)"
expect_match "Maintainer" "$(field Maintainer)" '^[^<]+ <[^@ ]+@[^ ]+>$'
expect_match "Description" "$(field Description | head -n 1)" '^shop-floor job-costing punch terminal$'
expect_match "Description's body" "$(field Description | sed -n 2p)" '^ [A-Z]'
depends=$(field Depends)
# Found by the shared-library scan: a version constraint shows it ran.
for package in libc6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6sql6; do
    expect_match "Depends" "$depends" "(^|, )$package \(>= [^)]+\)(,|$)"
done
# Loaded at run time, unseen by the scan: the run list, every package of it.
for package in $(sed -n 's/^run: *//p' "$(dirname "$0")/../../packaging/debian-packages"); do
    expect_match "Depends" "$depends" "(^|, )$package(,|$)"
done

listing=$(dpkg-deb -c "$deb")
expect_eq "entries not owned by root/root" "$(awk '$2 != "root/root"' <<<"$listing")" ""
paths=$(awk '{ print $6 }' <<<"$listing")
expect_eq "entries outside /usr, or under /usr/local" \
    "$(grep -Ev '^\./usr/' <<<"$paths" | grep -v '^\./$' || true)$(grep '^\./usr/local' <<<"$paths" || true)" ""
expected=(./usr/libexec/jobcosting/start-in-site ./usr/share/applications/jobcosting.desktop
    ./usr/share/applications/jobcosting-desk.desktop
    ./usr/lib/systemd/user/jobcosting.service ./usr/share/doc/jobcosting/README.md
    ./usr/share/icons/hicolor/scalable/apps/jobcosting.svg ./usr/share/doc/jobcosting/copyright
    ./usr/share/doc/jobcosting/changelog.gz ./usr/share/metainfo/org.example.jobcosting.metainfo.xml
    ./usr/share/metainfo/org.example.jobcosting.desk.metainfo.xml)
for program in "${programs[@]}"; do
    expected+=("./usr/bin/$program" "./usr/share/man/man1/$program.1.gz")
done
for size in 16 32 48 64 128 256; do
    expected+=("./usr/share/icons/hicolor/${size}x$size/apps/jobcosting.png")
done
# Every translation the build made.
translations=("$build"/translations/jobcosting_*.qm)
[ -e "${translations[0]}" ] || fail "the build made no translations"
for qm in "${translations[@]}"; do
    expected+=("./usr/share/jobcosting/translations/$(basename "$qm")")
done
for path in "${expected[@]}"; do
    grep -qxF -- "$path" <<<"$paths" || fail "$path is not in the package"
done

root=$work/root
dpkg-deb -x "$deb" "$root"
start=/usr/libexec/jobcosting/start-in-site
expect_eq "menu entry's Exec" "$(key_of Exec "$root/usr/share/applications/jobcosting.desktop")" "$start"
expect_eq "kiosk's ExecStart" "$(key_of ExecStart "$root/usr/lib/systemd/user/jobcosting.service")" \
    "$start"
expect_eq "the programs that start-in-site runs" "$(grep -o 'exec .*' "$root$start")" \
    'exec "/usr/bin/jobcosting-desk"
exec "/usr/bin/jobcosting"'
expect_match "jobcosting.1" "$(zcat "$root/usr/share/man/man1/jobcosting.1.gz")" "^\.IR $start ,"
for program in "${programs[@]}"; do
    expect_match "usr/bin/$program" "$(file -b "$root/usr/bin/$program")" '^ELF .*, stripped$'
    # lintian sees PIE, RELRO, -z now and fortify, but not the stack canaries.
    symbols=$(readelf --dyn-syms -W "$root/usr/bin/$program")
    grep -q ' __stack_chk_fail\b' <<<"$symbols" || fail "usr/bin/$program has no stack protector"
done

# The release notes of this version: in the Debian changelog and for software centres.
expect_eq "newest version in changelog.gz" \
    "$(zcat "$root/usr/share/doc/jobcosting/changelog.gz" | sed -n '1s/^jobcosting (\([^)]*\)).*/\1/p')" \
    "$version"
for metainfo in "$root"/usr/share/metainfo/*.xml; do
    expect_eq "newest release in $(basename "$metainfo")" \
        "$(grep -om1 '<release version="[^"]*"' "$metainfo" | cut -d'"' -f2)" "$version"
done
grep -qF "<binary>jobcosting</binary>" "$root/usr/share/metainfo/org.example.jobcosting.metainfo.xml" ||
    fail "the terminal's metainfo does not name jobcosting"
grep -qF "<binary>jobcosting-desk</binary>" \
    "$root/usr/share/metainfo/org.example.jobcosting.desk.metainfo.xml" ||
    fail "the desk's metainfo does not name jobcosting-desk"
for binary in $(sed -n 's|.*<binary>\(.*\)</binary>.*|\1|p' "$root"/usr/share/metainfo/*.xml); do
    [ -x "$root/usr/bin/$binary" ] || fail "a metainfo names $binary, which is not in the package"
done

# validate-tree also finds the menu entry that <launchable> names; it fails on warnings too.
if ! command -v appstreamcli >/dev/null; then
    fail "appstreamcli is not installed (the test list of packaging/debian-packages names it)"
elif ! validation=$(appstreamcli validate-tree --no-net "$root" 2>&1); then
    fail "appstreamcli validate-tree: $validation"
fi

if ! command -v lintian >/dev/null; then
    fail "lintian is not installed (the test list of packaging/debian-packages names it)"
else
    tags=$(lintian --display-info "$deb" 2>&1 | grep -v '^running with root privileges' || true)
    [ -z "$tags" ] || echo "lintian: $tags"
    expect_eq "lintian errors and warnings" "$(grep -E '^[EW]: ' <<<"$tags" || true)" ""
    expect_eq "lintian's hardening tags" "$(grep -F ' hardening-' <<<"$tags" || true)" ""
fi

# A kiosk enabled for every user outlives a remove (a new install brings it
# back), not a purge; installing enables nothing.
dpkg-deb -e "$deb" "$work/control"
scratch=$work/scratch
unit=usr/lib/systemd/user/jobcosting.service
link=$scratch/etc/systemd/user/graphical-session.target.wants/jobcosting.service
mkdir -p "$scratch/$(dirname "$unit")"
cp "$root/$unit" "$scratch/$unit"
maintainer_script() {
    DPKG_ROOT=$scratch DPKG_MAINTSCRIPT_PACKAGE=jobcosting "$work/control/$1" "$2" ||
        fail "$1 $2 exits with status $?"
}
maintainer_script postinst configure
[ ! -L "$link" ] || fail "installing enables the kiosk"
systemctl --root="$scratch" --global --quiet enable jobcosting.service
rm "$scratch/$unit"
maintainer_script postrm remove
[ -L "$link" ] || fail "a remove forgets the kiosk enabled for every user"
maintainer_script postrm purge
expect_eq "what a purge leaves" "$(cd "$scratch" && find . -mindepth 1 ! -type d)" ""

finish
