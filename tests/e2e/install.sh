#!/usr/bin/env bash
# Installs the built library into a scratch prefix, then builds the zoomwindow
# example out of tree against it, once through the CMake package and once
# through pkg-config, and runs both offscreen.
set -u
build=$1; source=$2; out=$3
rm -rf "$out" && mkdir -p "$out"
fail() { echo "$1"; exit 1; }
prefix=$out/prefix
example=$source/examples/zoomwindow/main.cpp

cmake --install "$build" --prefix "$prefix" > "$out/install.txt" 2>&1 || { cat "$out/install.txt"; fail "install failed"; }
for f in lib/libkorvath.a include/korvath/Korvath.h include/korvath/Events.h lib/cmake/Korvath/KorvathConfig.cmake \
         lib/cmake/Korvath/KorvathConfigVersion.cmake lib/pkgconfig/korvath.pc; do
  [ -f "$prefix/$f" ] || fail "not installed: $f"
done

host=$out/host-build
cmake -S "$source/tests/e2e/installed" -B "$host" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_PREFIX_PATH="$prefix" -DHOST_SOURCE="$example" > "$out/configure.txt" 2>&1 \
  || { cat "$out/configure.txt"; fail "find_package(Korvath 1.0 CONFIG) failed"; }
# The installed package, not the source tree, must give the include path.
grep -q "$source/include" "$host/build.ninja" && fail "the host build reaches into the source tree"
cmake --build "$host" > "$out/build.txt" 2>&1 || { cat "$out/build.txt"; fail "the host did not build"; }
(cd "$out" && SDL_VIDEODRIVER=offscreen "$host/host" --autopilot > "$out/run.txt" 2>&1) \
  || { cat "$out/run.txt"; fail "the host built against the package did not run"; }
cat "$out/run.txt"
grep -q "^zoom: 10 wheel steps" "$out/run.txt" || fail "the installed host did not run through"

export PKG_CONFIG_PATH=$prefix/lib/pkgconfig
flags=$(pkg-config --cflags --libs korvath) || fail "pkg-config does not know korvath"
# shellcheck disable=SC2086
c++ -std=c++20 -O1 "$example" -o "$out/host-pc" $flags > "$out/pc-build.txt" 2>&1 \
  || { cat "$out/pc-build.txt"; fail "the host did not build with pkg-config's flags"; }
(cd "$out" && SDL_VIDEODRIVER=offscreen "$out/host-pc" --frames 3 > "$out/pc-run.txt" 2>&1) \
  || { cat "$out/pc-run.txt"; fail "the host built with pkg-config did not run"; }
echo "install e2e passed"
