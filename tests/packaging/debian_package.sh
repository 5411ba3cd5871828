#!/usr/bin/env bash
# Makes the Debian package with CPack, as `scripts/package` does, and checks
# its control fields (dpkg-deb -I) and its contents (dpkg-deb -c): the paths it
# installs, and that the files naming installed paths name /usr.
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
# Loaded at run time, unseen by the scan.
for package in fonts-liberation libqt6sql6-sqlite libqt6sql6-psql; do
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
    ./usr/share/icons/hicolor/scalable/apps/jobcosting.svg)
for program in "${programs[@]}"; do
    expected+=("./usr/bin/$program" "./usr/share/man/man1/$program.1.gz")
done
for size in 16 32 48 64 128 256; do
    expected+=("./usr/share/icons/hicolor/${size}x$size/apps/jobcosting.png")
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
done

finish
