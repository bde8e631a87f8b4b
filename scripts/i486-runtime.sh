#!/usr/bin/env bash
# Builds, once per machine, what the 32-bit program and its installer are
# linked and packed with, for the i486: Debian's own i686 runtime is built for
# the Pentium Pro (CMOVcc, FCOMI and the like), which a 486, Pentium, Pentium
# MMX, K5, K6, 6x86 or WinChip stops at with an illegal-instruction fault.
#
#   lib/   crt2.o, the MinGW-w64 runtime and import libraries, zlib, libgcc,
#          libgcc_eh, libstdc++ and libsupc++, all built with -march=i486
#   nsis/  a copy of NSIS's data folder whose x86-ansi stubs, and the
#          plug-ins the installer packs, are built so
#
# Everything is built from the sources of the very Debian packages installed:
# the MinGW-w64 runtime and zlib from their source packages, libgcc and
# libstdc++ from the GCC release that gcc-12-source carries, compiled by the
# installed cross compiler (no compiler is built: only the few generated
# headers that libgcc reads), and the stubs from NSIS's release (see
# nsis_source below).
#
# The result lives in a cache outside the build folder, one folder per set of
# package versions (and version of this script). A second call finds it and
# prints it at once; a changed package builds a new one. Prints the folder on
# standard output, progress on standard error. With --find it builds nothing
# and fails when there is no runtime for the installed packages yet.
#   BRISBOLT_I486_CACHE   the cache (default /opt/brisbolt-i486)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
cache=${BRISBOLT_I486_CACHE:-/opt/brisbolt-i486}
target=i686-w64-mingw32
cc="$target-gcc-win32 -march=i486"
cxx="$target-g++-win32 -march=i486"
cflags="-O2 -march=i486"
# The NSIS plug-ins that the installer calls (System::Call, UserInfo::...).
plugins=$(grep -oE '\b[A-Za-z]+::' "$root/installer/brisbolt.nsi" | sed 's/:://' | sort -u | tr '\n' ' ')
jobs=$(nproc 2>/dev/null || echo 2)

say() { echo "i486 runtime: $*" >&2; }
version() { dpkg-query -W -f='${Version}' "$1"; }
source_of() { dpkg-query -W -f='${source:Package}=${source:Version}' "$1"; }

stamp="gcc-$(version gcc-mingw-w64-i686-win32)_src-$(version gcc-12-source)_crt-$(version mingw-w64-i686-dev)"
recipe=$( (grep -v '^ *#' "$0"; echo "$plugins") | sha256sum | cut -c1-10)
stamp+="_zlib-$(version libz-mingw-w64-dev)_nsis-$(version nsis)_recipe-$recipe"
stamp=${stamp//[:~]/_}
dest=$cache/$stamp
if [ -f "$dest/complete" ]; then
    echo "$dest"
    exit 0
fi
# --find: only say whether it is there (exit 1 when not), build nothing.
[ "${1:-}" = --find ] && exit 1

mkdir -p "$cache"
exec 9>"$cache/lock"
if ! flock -n 9; then
    say "another build of the runtime is running; waiting for it"
    flock 9
    [ -f "$dest/complete" ] && { echo "$dest"; exit 0; }
fi

# The work folder is kept when a step fails, and a next call goes on from
# the step that failed (BRISBOLT_I486_WORK names another, for whoever mends
# this script: its hash is part of the stamp).
work=${BRISBOLT_I486_WORK:-$cache/work-$stamp}
out=$work/out
mkdir -p "$out/lib"
started=$(date +%s)

step() {  # function title: runs a step once, its output in a log shown when it fails
    local function=$1 title=$2 begun
    [ -f "$work/done-$function" ] && return
    begun=$(date +%s)
    say "$title..."
    set +e
    (
        set -e
        "$function"
    ) >"$work/$function.log" 2>&1
    local status=$?
    set -e
    if [ $status -ne 0 ]; then
        tail -n 40 "$work/$function.log" >&2
        say "FAILED: $title (the whole log: $work/$function.log; the next call goes on from here)"
        exit 1
    fi
    touch "$work/done-$function"
    say "$title: $(($(date +%s) - begun)) s"
}

# Debian's source packages, through a private list of deb-src entries made
# from the machine's own archive entries; the machine's apt set-up is not
# touched.
fetch_debian_sources() {
    local apt=$work/apt
    mkdir -p "$apt/parts" "$apt/lists/partial" "$apt/cache/archives/partial" "$work/src"
    local file
    for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        [ -f "$file" ] && sed -n 's/^deb \(.*\)/deb-src \1/p' "$file"
    done >"$apt/parts/debian-src.list"
    for file in /etc/apt/sources.list.d/*.sources; do
        [ -f "$file" ] && sed 's/^Types:.*/Types: deb-src/' "$file" >"$apt/parts/$(basename "$file")"
    done
    local options=(-o Dir::Etc::sourceparts="$apt/parts" -o Dir::Etc::sourcelist=/dev/null
        -o Dir::State::Lists="$apt/lists" -o Dir::Cache="$apt/cache" -o APT::Sandbox::User=root)
    local try
    for try in 1 2 3; do
        apt-get "${options[@]}" update && break
        echo "update failed (try $try), the lists that came are used"
        sleep $((try * 5))
    done
    # The archive serves no tarball for libz-mingw-w64; zlib's own source
    # package holds the same zlib release.
    local zlib=$(source_of zlib1g)
    [ "$(version libz-mingw-w64-dev | sed 's/[+-].*//')" = "$(version zlib1g | sed 's/^[0-9]*://; s/[.]dfsg.*//; s/-.*//')" ] ||
        { echo "zlib1g ($(version zlib1g)) is not the zlib release of libz-mingw-w64-dev ($(version libz-mingw-w64-dev))"; return 1; }
    (cd "$work/src" && apt-get "${options[@]}" source "$(source_of mingw-w64-i686-dev)" "$zlib")
    # nsis: the .dsc (with the release tarball's checksum) and Debian's patches.
    (cd "$work/src" && apt-get "${options[@]}" source --print-uris "$(source_of nsis)") |
        sed -n "s/^'\([^']*\)' \([^ ]*\) .*/\1 \2/p" >"$work/nsis-uris"
    local uri name
    while read -r uri name; do
        case $name in *.orig.tar.*) continue ;; esac
        /usr/lib/apt/apt-helper -o APT::Sandbox::User=root download-file "$uri" "$work/src/$name"
    done <"$work/nsis-uris"
}

build_crt() {
    local src
    src=$(find "$work/src" -maxdepth 1 -type d -name 'mingw-w64-*' | head -n 1)
    mkdir -p "$work/crt"
    cd "$work/crt"
    "$src/mingw-w64-crt/configure" --host=$target --prefix="$work/crt-install" --disable-lib64 --enable-lib32 \
        CC="$cc" CFLAGS="$cflags" RCFLAGS="-F pe-i386"
    make -j"$jobs"
    make install
    cp -a "$work/crt-install/lib/." "$out/lib/"
}

build_zlib() {
    local src
    src=$(find "$work/src" -maxdepth 1 -type d -name 'zlib-*' | head -n 1)
    cd "$src"
    # The fifteen files of Debian's libz.a for MinGW, compiled as its
    # Makefile for Windows would (the Debian source leaves that file out).
    local file
    for file in adler32 compress crc32 deflate gzclose gzlib gzread gzwrite infback inffast inflate inftrees \
        trees uncompr zutil; do
        $cc $cflags -Wall -D_LARGEFILE64_SOURCE=1 -c "$file.c" -o "$file.o"
    done
    $target-ar rcs libz.a ./*.o
    cp libz.a "$out/lib/"
}

# libgcc and libstdc++ from GCC's own build system, with the installed cross
# compiler as the target compiler. libgcc reads a handful of headers that
# GCC's build makes (tm.h, insn-modes.h, ...): those are generated, the
# compiler itself is not built.
gcc_make() {
    make -o all-gcc -o maybe-all-gcc "GCC_FOR_TARGET=$cc" "CC_FOR_TARGET=$cc" "CXX_FOR_TARGET=$cxx" \
        "RAW_CXX_FOR_TARGET=$cxx" "CFLAGS_FOR_TARGET=$cflags" "CXXFLAGS_FOR_TARGET=$cflags" "$@"
}

configure_gcc() {
    cd "$work"
    tar xf /usr/src/gcc-12/gcc-12.2.0-dfsg.tar.xz
    # Debian's cross compiler is the plain release with this one change that
    # matters to the target libraries (not git-updates.diff, which changes
    # filesystem::path's internals).
    (cd gcc-12.2.0 && patch -p2 <"/usr/src/gcc-12/debian/patches/cuda-float128.diff")
    # The compiler's include folder for the target headers, as Debian's
    # build has them (else libgcc is built with -Dinhibit_libc).
    mkdir -p "$work/prefix/$target" "$work/gcc/gcc/include"
    ln -s "/usr/$target/include" "$work/prefix/$target/sys-include"
    cd "$work/gcc"
    # As Debian's cross compiler is configured (i686-w64-mingw32-gcc-win32
    # -v), with the i486 and without the languages and libraries the program
    # does not use. Shared libraries for libgcc only: libgcc_eh.a exists only
    # beside a shared libgcc, and the driver asks for it.
    ../gcc-12.2.0/configure --build=x86_64-linux-gnu --host=x86_64-linux-gnu --target=$target \
        --prefix="$work/prefix" --with-arch=i486 --with-tune=generic --enable-languages=c,c++ \
        --enable-threads=win32 --disable-sjlj-exceptions --with-dwarf2 --enable-shared=libgcc --enable-static \
        --disable-multilib --enable-version-specific-runtime-libs --enable-fully-dynamic-string \
        --enable-libstdcxx-time=yes --enable-libstdcxx-filesystem-ts=yes --disable-libstdcxx-pch \
        --disable-lto --disable-nls --disable-werror --disable-libgomp --disable-libquadmath --disable-libssp \
        --disable-libatomic --without-isl --with-as=/usr/bin/$target-as --with-ld=/usr/bin/$target-ld
    make configure-gcc all-build-libiberty
    make -C gcc -j"$jobs" -o xgcc -o specs libgcc.mvars tconfig.h tm.h options.h insn-constants.h \
        insn-modes.h insn-flags.h
}

build_libgcc() {
    cd "$work/gcc"
    gcc_make -j"$jobs" all-target-libgcc
    cp $target/libgcc/{libgcc.a,libgcc_eh.a,crtbegin.o,crtend.o} "$out/lib/"
}

build_libstdcxx() {
    cd "$work/gcc"
    # No RDRAND or RDSEED helper in std::random_device: the 486 has neither,
    # and a check can then demand that no newer instruction is left at all.
    export ac_cv_x86_rdrand=no ac_cv_x86_rdseed=no
    gcc_make -j"$jobs" all-target-libstdc++-v3
    cp $target/libstdc++-v3/src/.libs/libstdc++.a $target/libstdc++-v3/libsupc++/.libs/libsupc++.a "$out/lib/"
    # The program compiles against the installed compiler's headers: its
    # configuration header must be the one these libraries were built with,
    # but for the RDRAND and RDSEED helpers and the symbol versions of a
    # shared libstdc++ (only the DLL's version script reads those).
    local ours=$target/libstdc++-v3/include/$target/bits/c++config.h
    local theirs=/usr/lib/gcc/$target/12-win32/include/c++/$target/bits/c++config.h
    local known='_GLIBCXX_(X86_RDRAND|X86_RDSEED|SYMVER|SYMVER_GNU|HAVE_SYMVER_SYMBOL_RENAMING_RUNTIME_SUPPORT|HAVE_EXCEPTION_PTR_SINCE_GCC46)\b'
    local others
    others=$(diff "$theirs" "$ours" | grep '^[<>]' | grep -vE "$known" || true)
    [ -z "$others" ] || { echo "c++config.h differs from the installed compiler's:"; echo "$others"; return 1; }
}

# NSIS's x86-ansi stubs (the installer's and the uninstaller's code) and the
# plug-ins the installer packs, built with a compiler that adds -march=i486
# and links the runtime above (the plug-ins carry the MinGW start-up code). Source: NSIS 3.08's release tarball,
# checked against the SHA-256 in Debian's .dsc, where the internet can be
# reached; else the NSIS v308 tree kept beside this repository
# (../shared/vendor/nsis-3.08-src.tar.bz2). Debian's patches on top.
nsis_source() {
    local dsc sum tarball=$work/src/nsis-3.08-src.tar.bz2
    dsc=$(ls "$work"/src/nsis_*.dsc)
    sum=$(sed -n '/^Checksums-Sha256:/,/^[^ ]/s/^ \([0-9a-f]\{64\}\) [0-9]* nsis_.*orig.tar.bz2$/\1/p' "$dsc")
    local url=https://downloads.sourceforge.net/project/nsis/NSIS%203/3.08/nsis-3.08-src.tar.bz2
    if timeout 60 /usr/lib/apt/apt-helper download-file "$url" "$tarball" "SHA256:$sum" 2>/dev/null; then
        echo "nsis: the release tarball, SHA-256 $sum as in $(basename "$dsc")"
    else
        local vendor
        vendor=$(cd "$root/.." && pwd)/shared/vendor/nsis-3.08-src.tar.bz2
        [ -f "$vendor" ] || { echo "no NSIS source: neither the release tarball nor $vendor"; return 1; }
        cp "$vendor" "$tarball"
        echo "nsis: the release cannot be downloaded here; the v308 tree from $vendor"
    fi
    mkdir -p "$work/nsis"
    tar xjf "$tarball" -C "$work/nsis" --strip-components=1
    tar xJf "$work"/src/nsis_*.debian.tar.xz -C "$work/nsis"
    (cd "$work/nsis" && while read -r patch; do
        case $patch in '' | '#'*) continue ;; esac
        patch -p1 <"debian/patches/$patch"
    done <debian/patches/series)
}

build_nsis_stubs() {
    nsis_source
    mkdir -p "$work/nsis-cc"
    local tool
    for tool in gcc g++; do
        printf '#!/bin/sh\nexec /usr/bin/%s-%s-win32 -march=i486 -B%s/ -L%s "$@"\n' \
            $target $tool "$out/lib" "$out/lib" >"$work/nsis-cc/$target-$tool"
        chmod +x "$work/nsis-cc/$target-$tool"
    done
    for tool in ar as ranlib ld strip windres; do
        ln -sf "/usr/bin/$target-$tool" "$work/nsis-cc/$target-$tool"
    done
    cd "$work/nsis"
    scons -j"$jobs" XGCC_W32_PREFIX="$work/nsis-cc/$target-" TARGET_ARCH=x86 UNICODE=no VERSION=3.08 \
        SKIPUTILS=all SKIPMISC=all SKIPDOC=all stubs $plugins
    mkdir -p "$out/nsis"
    cp -a /usr/share/nsis/. "$out/nsis/"
    local folder name count=0
    for folder in build/release/stub_*-x86-ansi; do
        name=${folder#build/release/stub_}
        [ -f "$out/nsis/Stubs/$name" ] || { echo "Debian's NSIS has no stub $name"; return 1; }
        cp "$folder"/*.exe "$out/nsis/Stubs/$name"
        count=$((count + 1))
    done
    echo "stubs replaced: $count"
    [ $count -eq 6 ]
    for name in $plugins; do
        cp "build/release/$name/x86-ansi/$name.dll" "$out/nsis/Plugins/x86-ansi/$name.dll"
    done
}

# One block, read whole before it runs: an edit of this file while a build
# runs does not change the build.
{
say "building for $stamp (once per machine; about 20 minutes on two cores)"
step fetch_debian_sources "sources of mingw-w64, libz-mingw-w64 and nsis from Debian's archive"
step build_crt "MinGW-w64 runtime"
step build_zlib "zlib"
step configure_gcc "GCC's configuration and generated headers"
step build_libgcc "libgcc"
step build_libstdcxx "libstdc++"
step build_nsis_stubs "NSIS x86-ansi stubs"

# Debug information off (GCC's build adds -g to libgcc): libstdc++.a would
# be six times as large.
$target-strip --strip-debug "$out"/lib/{libgcc.a,libgcc_eh.a,libstdc++.a,libsupc++.a}
date -u +%FT%TZ >"$out/complete"
rm -rf "$dest"
mv "$out" "$dest"
rm -rf "$work"
# Older sets of this machine are of packages no longer installed.
find "$cache" -mindepth 1 -maxdepth 1 -type d ! -name "$stamp" ! -name "work-$stamp" -exec rm -rf {} +
say "built in $(($(date +%s) - started)) s: $dest"
echo "$dest"
exit 0
}
