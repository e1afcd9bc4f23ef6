#!/bin/sh

# SPDX-FileCopyrightText: 2026 The cellcounters developers
#
# SPDX-License-Identifier: LGPL-2.1-or-later

# Installs the built tree into a scratch prefix, then builds and runs a small
# host program against it twice: found with find_package, and with pkg-config.
#   check-install.sh <cmake> <build-dir> <consumer-source-dir> [extra compiler flags]
set -eu
cmake=$1 build=$2 consumer=$3 flags=${4:-}
work=$(mktemp -d "${TMPDIR:-/tmp}/cellcounters-install.XXXXXX")
trap 'rm -rf "$work"' EXIT INT TERM
prefix=$work/prefix
expected="1.3 qtn_cell_counters_never 7"

"$cmake" --install "$build" --prefix "$prefix" >/dev/null

for lib in cellcounters lotoolkit loconfig vcp cellular; do
    so=$(ls "$prefix"/lib*/lib$lib.so.*.*.* "$prefix"/lib/*/lib$lib.so.*.*.* 2>/dev/null | head -n 1)
    [ -n "$so" ] || { echo "lib$lib.so.<version> not installed"; exit 1; }
    soname=$(objdump -p "$so" | awk '/SONAME/ {print $2}')
    [ "$soname" = "lib$lib.so.1" ] || { echo "lib$lib: SONAME '$soname'"; exit 1; }
done
echo "versioned libraries with SONAME: ok"

# Only what a host needs: the toolkit's scene plumbing and every private (_p.h) header stay inside.
for header in loscenemanager.h lolocalenotifier.h cellcounters_debug.h '*_p.h'; do
    [ -z "$(find "$prefix/include" -name "$header")" ] || { echo "$header installed"; exit 1; }
done
echo "installed headers: ok"

"$cmake" -S "$consumer" -B "$work/cmake-build" -DCMAKE_PREFIX_PATH="$prefix" \
    -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="$flags" >/dev/null
"$cmake" --build "$work/cmake-build" >/dev/null
out=$("$work/cmake-build/consumer")
[ "$out" = "$expected" ] || { echo "find_package consumer printed '$out'"; exit 1; }
echo "find_package consumer: $out"

pcdir=$(dirname "$(find "$prefix" -name cellcounters.pc | head -n 1)")
# shellcheck disable=SC2046,SC2086
c++ -std=c++17 $flags -o "$work/pc-consumer" "$consumer/main.cpp" \
    $(PKG_CONFIG_PATH="$pcdir" pkg-config --cflags --libs cellcounters) -Wl,-rpath,"$pcdir/.."
out=$("$work/pc-consumer")
[ "$out" = "$expected" ] || { echo "pkg-config consumer printed '$out'"; exit 1; }
echo "pkg-config consumer: $out"
