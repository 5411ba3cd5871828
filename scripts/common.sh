# Shared by the set-up commands: installs missing Debian packages and builds.
# Runs as root, or through sudo for an ordinary user.

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$ROOT/build"
BUILD_PACKAGES=(cmake g++ make pkgconf qt6-base-dev libqt6sql6-sqlite libqt6sql6-psql libpq-dev
    mdbtools-dev fonts-liberation)
# The tests run a private PostgreSQL server (scripts/test-server); postgresql
# brings citext with it. The report tests read the PDF back with pdftotext and
# pdfinfo.
TEST_PACKAGES=(postgresql poppler-utils)
# Making the Debian package (dpkg-shlibdeps, file) and checking it and the
# installed tree (desktop-file-validate, groff, systemd-analyze).
PACKAGE_PACKAGES=(dpkg-dev file)
PACKAGE_TEST_PACKAGES=("${PACKAGE_PACKAGES[@]}" desktop-file-utils groff-base systemd)

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

# build [cmake --build options...], e.g. build --target jobcosting
build() {
    cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DJOBCOSTING_WERROR=ON
    cmake --build "$BUILD" -j"$(nproc)" "$@"
}
