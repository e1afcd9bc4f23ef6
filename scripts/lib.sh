# SPDX-FileCopyrightText: 2026 The cellcounters developers
#
# SPDX-License-Identifier: LGPL-2.1-or-later

# Shared by the scripts: installs missing Debian packages and configures a build.
# shellcheck shell=bash

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Packages needed to build, test and run the library and its demo.
CELLCOUNTERS_PACKAGES=(
    build-essential cmake pkg-config
    qtbase5-dev qttools5-dev-tools extra-cmake-modules
    libdconf-dev dconf-cli dconf-service dbus
    libicu-dev
    fonts-dejavu-core
    # the simulated modem's NetworkManager and ModemManager (tools/cellcounters-simulated-modem)
    python3-dbusmock python3-dbus
)

# The Debian release's major number (12 for bookworm), nothing elsewhere.
debian_release() {
    local ID="" VERSION_ID=""
    # shellcheck disable=SC1091
    [ -r /etc/os-release ] && . /etc/os-release
    if [ "$ID" = debian ]; then
        echo "${VERSION_ID%%.*}"
    fi
}

# GConf, the store's first backend, is in Debian up to 12 (bookworm); later
# releases have dconf only.
has_gconf() {
    local release
    release=$(debian_release)
    [ -n "$release" ] && [ "$release" -le 12 ]
}
if has_gconf; then
    CELLCOUNTERS_PACKAGES+=(libgconf2-dev gconf2)
fi

# Qt 6, built beside Qt 5 (QT_MAJOR_VERSION=6) in folders of its own.
CELLCOUNTERS_QT6_PACKAGES=(qt6-base-dev qt6-l10n-tools)

# The Qt Quick page (the QML module org.cellcounters, on Kirigami), its Quick
# Tests, and the window test of the settings module (Xvfb, xdotool, xwd).
CELLCOUNTERS_PACKAGES+=(
    qtdeclarative5-dev qtquickcontrols2-5-dev
    qml-module-qttest qml-module-qtquick-controls2 qml-module-qtquick-layouts
    qml-module-qtquick-window2 qml-module-qtquick2
    kirigami2-dev qml-module-org-kde-kirigami2
    xvfb xdotool xauth x11-apps
)
CELLCOUNTERS_QT6_PACKAGES+=(
    qt6-declarative-dev
    qml6-module-qttest qml6-module-qtquick-controls qml6-module-qtquick-layouts
    qml6-module-qtquick-window qml6-module-qtquick
)

# The settings module: KF5's over Qt 5 up to Debian 12, KF6's over Qt 6 from
# Debian 13 on (Debian 12 has no KF6; Debian 13 has no kcmshell5 to open KF5's).
# kcmshell of the same frameworks opens it in the window test.
kf5_kcm_release() {
    local release
    release=$(debian_release)
    [ -n "$release" ] && [ "$release" -le 12 ]
}
kf6_kcm_release() {
    local release
    release=$(debian_release)
    [ -n "$release" ] && [ "$release" -ge 13 ]
}
if kf5_kcm_release; then
    CELLCOUNTERS_PACKAGES+=(libkf5kcmutils-dev libkf5declarative-dev qml-module-org-kde-kcm kde-cli-tools)
fi
if kf6_kcm_release; then
    CELLCOUNTERS_QT6_PACKAGES+=(
        libkf6kcmutils-dev libkirigami-dev
        qml6-module-org-kde-kirigami qml6-module-org-kde-kcmutils kde-cli-tools
    )
fi

# kcm_status <build-dir> <major>: what became of the settings module in a build,
# with the reason where the release decides it.
kcm_status() {
    local status
    status=$(sed -n 's/^CELLCOUNTERS_KCM_STATUS:INTERNAL=//p' "$1/CMakeCache.txt" 2>/dev/null)
    [ -n "$status" ] || status="not configured (Qt $2)"
    case "$status" in
        "skipped KF6: not found"*) kf6_kcm_release || status="skipped KF6: libkf6kcmutils-dev not in Debian $(debian_release)" ;;
        "skipped KF5: not found"*) kf5_kcm_release || status="skipped KF5: Debian $(debian_release) has no kcmshell5 to open it" ;;
    esac
    echo "$status"
}

# Whether this release has Qt 6: Debian 12 and later do, even where the package
# lists are not fetched yet (a fresh machine), which apt-cache alone would miss.
qt6_available() {
    local release
    release=$(debian_release)
    { [ -n "$release" ] && [ "$release" -ge 12 ]; } || apt-cache show qt6-base-dev >/dev/null 2>&1
}

# qt_build_dir <folder> <major>: the build folder of a Qt major, <folder>-qt6 for Qt 6.
qt_build_dir() {
    if [ "$2" = 6 ]; then echo "$1-qt6"; else echo "$1"; fi
}

ensure_packages() {
    local missing=()
    local p
    for p in "${CELLCOUNTERS_PACKAGES[@]}" "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        local sudo=""
        [ "$(id -u)" -eq 0 ] || sudo=sudo
        $sudo apt-get update -qq
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
    fi
}

# configure_build <build-dir> [cmake args...]  (-DQT_MAJOR_VERSION=6 for Qt 6)
configure_build() {
    local dir=$1
    shift
    cmake -S "$ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
}

jobs() {
    nproc 2>/dev/null || echo 2
}
