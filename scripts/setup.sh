#!/bin/sh
# Installs the Debian packages the viewer and its tests need (only those
# missing), then configures and builds the given build directory.
#   scripts/setup.sh BUILD_DIR [extra cmake arguments...]
#   scripts/setup.sh             (the packages alone)
# ZOLVI_TARGET, when set, builds only that target; ZOLVI_JOBS sets the
# number of parallel build jobs (default: the number of processors).
set -eu

PACKAGES="cmake g++ make ninja-build pkg-config bison libopenscenegraph-dev libzmq3-dev libmrpt-expr-dev
libgtest-dev libbenchmark-dev clang libclang-rt-14-dev xvfb xauth libx11-dev libgl1-mesa-dri fonts-dejavu-core"

missing=""
for package in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $package"
    fi
done
if [ -n "$missing" ]; then
    echo "Installing:$missing"
    SUDO=""
    [ "$(id -u)" -ne 0 ] && SUDO="sudo"
    $SUDO env DEBIAN_FRONTEND=noninteractive apt-get update -q
    $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $missing
fi

[ "$#" -gt 0 ] || exit 0
build_dir="$1"
shift
root="$(cd "$(dirname "$0")/.." && pwd)"
jobs="${ZOLVI_JOBS:-$(nproc 2>/dev/null || echo 2)}"
# New build directories use Ninja: it compiles a target's sources while the
# libraries they link are still being built.  Existing ones keep their generator.
generator=""
[ -f "$root/$build_dir/CMakeCache.txt" ] || generator="-GNinja"
cmake -S "$root" -B "$root/$build_dir" $generator "$@" >/dev/null
if [ -n "${ZOLVI_TARGET:-}" ]; then
    cmake --build "$root/$build_dir" -j "$jobs" --target $ZOLVI_TARGET
else
    cmake --build "$root/$build_dir" -j "$jobs"
fi
