# Sourced by ./run and ./test: installs the Debian packages the build needs,
# and only those that are missing, so a second run stays quiet.

VORN_BUILD_PACKAGES=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-svg-dev qt6-qpa-plugins qt6-translations-l10n libcups2-dev
    fonts-liberation2 fontconfig
)
# What scripts/package.sh needs besides the build: dpkg-shlibdeps (dpkg-dev)
# and file, through which CPack finds the package's dependencies.
VORN_PACKAGE_PACKAGES=(
    dpkg-dev file ccache
)
VORN_TEST_PACKAGES=(
    libgtest-dev libbenchmark-dev qt6-base-private-dev
    xvfb xauth xdotool
    cups cups-client cups-bsd printer-driver-cups-pdf poppler-utils qpdf
    "${VORN_PACKAGE_PACKAGES[@]}" desktop-file-utils appstream lintian
)

vorn_as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    elif command -v sudo >/dev/null 2>&1; then
        sudo "$@"
    else
        echo "Il faut être root (ou disposer de sudo) pour installer : $*" >&2
        return 1
    fi
}

vorn_install_missing() {
    local missing=() pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q '^install ok installed$'; then
            missing+=("$pkg")
        fi
    done
    [ "${#missing[@]}" -eq 0 ] && return 0
    echo "Installation des paquets manquants : ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    vorn_as_root apt-get update -qq
    vorn_as_root apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}
