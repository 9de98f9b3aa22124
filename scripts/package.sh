#!/usr/bin/env bash
# Builds the Debian package from a Release tree of its own (build/package, no
# tests, no sanitizers) and prints its path: scripts/package.sh
# Install it with: sudo apt install ./build/package/vorn_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/deps.sh

vorn_install_missing "${VORN_BUILD_PACKAGES[@]}" "${VORN_PACKAGE_PACKAGES[@]}"

build=build/package
if [ ! -f "$build/build.ninja" ]; then
    # The compiler cache, when there is one, makes a rebuild after a small
    # change take seconds.
    launcher=()
    if command -v ccache >/dev/null 2>&1; then
        launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    fi
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DVORN_BUILD_TESTS=OFF -DVORN_BUILD_BENCH=OFF "${launcher[@]}" >/dev/null
fi
rm -f "$build"/vorn_*.deb
if ! cmake --build "$build" --target package >"$build/package.log" 2>&1; then
    cat "$build/package.log" >&2
    exit 1
fi
ls "$PWD/$build"/vorn_*.deb
