# Shared by the build, run and test scripts: where the sources and the build live.
KESTRUNE_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
KESTRUNE_BUILD="${KESTRUNE_BUILD:-$KESTRUNE_ROOT/build}"

kestrune_build() {
    "$KESTRUNE_ROOT/tools/setup.sh"
    cmake -S "$KESTRUNE_ROOT" -B "$KESTRUNE_BUILD" \
        -DCMAKE_TOOLCHAIN_FILE="$KESTRUNE_ROOT/cmake/mingw-i686.cmake" \
        -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$KESTRUNE_BUILD" -j"$(nproc)" "$@"
}
