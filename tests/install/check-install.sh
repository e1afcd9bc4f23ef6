#!/bin/sh

# SPDX-FileCopyrightText: 2026 The cellcounters developers
#
# SPDX-License-Identifier: LGPL-2.1-or-later

# Installs the built tree into a scratch prefix, then builds and runs a small
# host program against it twice: found with find_package, and with pkg-config.
#   check-install.sh <cmake> <build-dir> <consumer-source-dir> <name suffix> [extra compiler flags]
# The name suffix is empty for the Qt 5 build, 6 for the Qt 6 one.
set -eu
cmake=$1 build=$2 consumer=$3 suffix=$4 flags=${5:-}
package=cellcounters$suffix
work=$(mktemp -d "${TMPDIR:-/tmp}/cellcounters-install.XXXXXX")
trap 'rm -rf "$work"' EXIT INT TERM
prefix=$work/prefix
expected="1.3 qtn_cell_counters_never 7"

"$cmake" --install "$build" --prefix "$prefix" >/dev/null

for lib in cellcounters lotoolkit loconfig vcp cellular; do
    lib=$lib$suffix
    so=$(ls "$prefix"/lib*/lib$lib.so.*.*.* "$prefix"/lib/*/lib$lib.so.*.*.* 2>/dev/null | head -n 1)
    [ -n "$so" ] || { echo "lib$lib.so.<version> not installed"; exit 1; }
    soname=$(objdump -p "$so" | awk '/SONAME/ {print $2}')
    [ "$soname" = "lib$lib.so.1" ] || { echo "lib$lib: SONAME '$soname'"; exit 1; }
done
echo "versioned libraries with SONAME: ok"

# Beside the Qt 5 build, every file of the Qt 6 one has a path of its own.
if [ -n "$suffix" ]; then
    shared=$(cd "$prefix" && find . ! -type d | grep -v "[a-z]$suffix[/.]" || true)
    [ -z "$shared" ] || { echo "installed where the Qt 5 build installs: $shared"; exit 1; }
    echo "paths of their own: ok"
fi

# Only what a host needs: the toolkit's scene plumbing and every private (_p.h) header stay inside.
for header in loscenemanager.h lolocalenotifier.h cellcounters_debug.h '*_p.h'; do
    [ -z "$(find "$prefix/include" -name "$header")" ] || { echo "$header installed"; exit 1; }
done
echo "installed headers: ok"

"$cmake" -S "$consumer" -B "$work/cmake-build" -DCMAKE_PREFIX_PATH="$prefix" -DCELLCOUNTERS_PACKAGE="$package" \
    -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="$flags" >/dev/null
"$cmake" --build "$work/cmake-build" >/dev/null
out=$("$work/cmake-build/consumer")
[ "$out" = "$expected" ] || { echo "find_package consumer printed '$out'"; exit 1; }
echo "find_package consumer: $out"

pcdir=$(dirname "$(find "$prefix" -name "$package.pc" | head -n 1)")
# shellcheck disable=SC2046,SC2086
c++ -std=c++17 $flags -o "$work/pc-consumer" "$consumer/main.cpp" \
    $(PKG_CONFIG_PATH="$pcdir" pkg-config --cflags --libs "$package") -Wl,-rpath,"$pcdir/.."
out=$("$work/pc-consumer")
[ "$out" = "$expected" ] || { echo "pkg-config consumer printed '$out'"; exit 1; }
echo "pkg-config consumer: $out"
