#!/usr/bin/env bash
# Installs what building and testing need on Debian 12, skipping what is already there.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config clang-format
    libgtest-dev libgmock-dev libbenchmark-dev
    # the window: Qt 6 Widgets and Charts (Charts' CMake package asks for Qt6OpenGL), and a font
    # that holds the Chinese captions
    qt6-base-dev qt6-charts-dev libqt6opengl6-dev libgl-dev fonts-wqy-microhei
    # Qt's own buttons and dialogs in Chinese
    qt6-translations-l10n
    # the .xlsx workbook; reading it back and checking the PDF report in the tests; reading a
    # bank's .xlsx records (zip and XML; minizip's headers include zlib's, which libminizip-dev
    # does not pull in, and the tests pack a zip with zlib)
    libxlsxwriter-dev python3-openpyxl poppler-utils libminizip-dev zlib1g-dev libexpat1-dev
    # the toolbar's SVG pictures (Qt's SVG plugin) and the menu icon's PNG sizes
    qt6-svg-dev librsvg2-bin
    # checking the installed desktop entry and AppStream file; dpkg-shlibdeps for the .deb
    desktop-file-utils appstream dpkg-dev
    # fuzzing the readers: clang with libFuzzer and the sanitizer runtimes
    clang libclang-rt-14-dev
    # a real spreadsheet program opens the saved .xls and .xlsx in the tests, once in a Chinese
    # locale (generated below)
    libreoffice-calc-nogui locales
)

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    sudo_cmd=(sudo)
fi

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The .xls check opens the worksheet under LANG=zh_CN.UTF-8 as well as C.UTF-8: a Chinese desktop
# is where a missing code page would show. Debian ships the locale's source, not the locale; it is
# listed in /etc/locale.gen so that a later locale-gen or dpkg-reconfigure keeps it.
if ! locale -a 2>/dev/null | grep -qix 'zh_CN\.utf-\?8'; then
    echo "Generating the zh_CN.UTF-8 locale"
    if ! grep -q '^zh_CN\.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null; then
        echo 'zh_CN.UTF-8 UTF-8' | "${sudo_cmd[@]}" tee -a /etc/locale.gen >/dev/null
    fi
    "${sudo_cmd[@]}" locale-gen >/dev/null
fi
