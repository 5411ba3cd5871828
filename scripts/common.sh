# Shared by the set-up commands: installs missing Debian packages and builds.
# Runs as root, or through sudo for an ordinary user.

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$ROOT/build"
BUILD_PACKAGES=(cmake g++ make pkgconf qt6-base-dev libqt6sql6-sqlite libqt6sql6-psql libpq-dev libfontconfig-dev libxcb1-dev
    libsqlite3-dev mdbtools-dev fonts-liberation)
# The tests run a private PostgreSQL server (scripts/test-server); postgresql
# brings citext with it. The report tests read the PDF back with pdftotext and
# pdfinfo.
TEST_PACKAGES=(postgresql poppler-utils)
# Making the Debian package (dpkg-shlibdeps, file) and checking it and the
# installed tree (desktop-file-validate, groff, systemd-analyze).
PACKAGE_PACKAGES=(dpkg-dev file)
PACKAGE_TEST_PACKAGES=("${PACKAGE_PACKAGES[@]}" desktop-file-utils groff-base systemd)
# The desktop tests run the program on a virtual X display with a window manager
# and type into it as a keyboard does; they read its window properties with
# x11-utils (xprop, xwininfo); their screenshots use imagemagick.
DESKTOP_TEST_PACKAGES=(xvfb openbox xdotool x11-utils imagemagick)
# The regional settings are tested under these locales.
TEST_LOCALES=(en_US.UTF-8 en_GB.UTF-8 de_DE.UTF-8 fr_FR.UTF-8)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    else
        sudo "$@"
    fi
}

install_packages() {
    local missing=()
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' \
            || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    as_root env DEBIAN_FRONTEND=noninteractive apt-get update -q
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# generate_locales NAME...: makes the C library locales that are missing (Debian's locale-gen).
generate_locales() {
    local missing=()
    for name in "$@"; do
        LC_ALL="$name" locale charmap 2>/dev/null | grep -q UTF-8 || missing+=("$name")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    install_packages locales
    echo "Generating locales: ${missing[*]}"
    for name in "${missing[@]}"; do
        as_root sed -i "s/^# *\(${name//./\\.} \)/\1/" /etc/locale.gen
        grep -q "^${name//./\\.} " /etc/locale.gen || echo "$name UTF-8" | as_root tee -a /etc/locale.gen >/dev/null
    done
    as_root locale-gen
}

# build [cmake --build options...], e.g. build --target jobcosting
build() {
    cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DJOBCOSTING_WERROR=ON
    cmake --build "$BUILD" -j"$(nproc)" "$@"
}
