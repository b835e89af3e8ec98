#!/usr/bin/env bash
# Builds a C host against an installed tree with nothing but pkg-config, as C and as C++,
# and runs it on the installed library:  c_host_test.sh ROOT LIBDIR HOST_SOURCE [FLAGS]
# ROOT is the DESTDIR the tree was installed into, LIBDIR the library folder below it.
# FLAGS are the build's own link flags (the sanitizers' runtime in a sanitized build).
set -euo pipefail
root=$1
libdir=$2
source=$3
read -ra buildFlags <<<"${4:-}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Only the installed tree's fiscora.pc, its paths moved below ROOT; system folders kept in
# the flags, since the tree may well be installed below ROOT/usr.
export PKG_CONFIG_LIBDIR=$root$libdir/pkgconfig PKG_CONFIG_PATH="" PKG_CONFIG_SYSROOT_DIR=$root
export PKG_CONFIG_ALLOW_SYSTEM_CFLAGS=1 PKG_CONFIG_ALLOW_SYSTEM_LIBS=1
read -ra flags <<<"$(pkg-config --cflags --libs fiscora)"
flags+=("${buildFlags[@]}")

cc -std=c99 -Wall -Wextra -Wpedantic -Werror -o "$work/host-c" "$source" "${flags[@]}"
c++ -x c++ -std=c++20 -Wall -Wextra -Wpedantic -Werror -o "$work/host-cxx" "$source" "${flags[@]}"

for host in "$work/host-c" "$work/host-cxx"; do
    loaded=$(LD_LIBRARY_PATH=$root$libdir "$host" "$work/data")
    if [[ $(realpath "$loaded") != "$(realpath "$root$libdir")"/libfiscora.so.* ]]; then
        echo "$host loaded $loaded, not the library installed in $root$libdir"
        exit 1
    fi
done
