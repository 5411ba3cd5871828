# Shared by the set-up commands: installs missing Debian packages and builds.
# Runs as root, or through sudo for an ordinary user.

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$ROOT/build"
# packages LIST...: the Debian packages of those lists of packaging/debian-packages.
packages() {
    local list
    for list in "$@"; do
        sed -n "s/^$list: *//p" "$ROOT/packaging/debian-packages"
    done | tr ' ' '\n' | sed '/^$/d' | sort -u
}
# The regional settings and the desktop tier's languages are tested under these locales.
TEST_LOCALES=(en_US.UTF-8 en_GB.UTF-8 de_DE.UTF-8 fr_FR.UTF-8 es_ES.UTF-8 pl_PL.UTF-8)

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
