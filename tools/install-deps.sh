#!/usr/bin/env bash
# Installs what the build needs on Debian 12, when it is missing.
#   usage: tools/install-deps.sh [tests] [screenshots]
# "tests" adds GoogleTest, "screenshots" adds Python, which turns the pictures into PNG files.
set -euo pipefail
need=()
command -v x86_64-w64-mingw32-g++-posix >/dev/null || need+=(mingw-w64)
command -v wine >/dev/null || need+=(wine)
[ -e /usr/lib/wine/wine64 ] || need+=(wine64)
command -v Xvfb >/dev/null || need+=(xvfb)
command -v cmake >/dev/null || need+=(cmake)
command -v ninja >/dev/null || need+=(ninja-build)
for extra in "$@"; do
    case $extra in
        tests) [ -f /usr/src/googletest/CMakeLists.txt ] || need+=(googletest) ;;
        screenshots) command -v python3 >/dev/null || need+=(python3) ;;
        *) echo "install-deps.sh: unknown extra '$extra'" >&2; exit 2 ;;
    esac
done
if [ ${#need[@]} -gt 0 ]; then
    echo "Installing: ${need[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq "${need[@]}" >/dev/null
fi
