# Shared by the build, run and test scripts: where the sources and the build
# live, and which Windows build this machine can run under Wine.
KESTRUNE_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# Kestrune is a 32-bit program, and 32-bit Wine runs only where the machine
# runs 32-bit x86 code. Some virtual machines turn that off; there the tests
# and the run command use a 64-bit build of the same sources under 64-bit
# Wine. The answer comes from a 91-byte 32-bit Linux program that only exits.
kestrune_machine_runs_i386() {
    local probe status=0
    probe="$(mktemp "${TMPDIR:-/tmp}/kestrune-i386.XXXXXX")"
    printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08\x5b\x00\x00\x00\x5b\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00\x31\xdb\x31\xc0\x40\xcd\x80' >"$probe"
    chmod +x "$probe"
    "$probe" 2>/dev/null || status=$?
    rm -f "$probe"
    return $status
}

if [ -z "${KESTRUNE_ARCH:-}" ]; then
    if kestrune_machine_runs_i386; then KESTRUNE_ARCH=i686; else KESTRUNE_ARCH=x86_64; fi
fi
export KESTRUNE_ARCH

# The build of the release (32-bit) is build/; the 64-bit one is build-x86_64/.
kestrune_build_dir() {
    if [ "$1" = i686 ]; then echo "$KESTRUNE_ROOT/build"; else echo "$KESTRUNE_ROOT/build-$1"; fi
}
KESTRUNE_BUILD="${KESTRUNE_BUILD:-$(kestrune_build_dir "$KESTRUNE_ARCH")}"

# kestrune_build_arch <arch> <build dir> [cmake configure options...]
kestrune_build_arch() {
    local arch="$1" dir="$2"
    shift 2
    cmake -S "$KESTRUNE_ROOT" -B "$dir" \
        -DCMAKE_TOOLCHAIN_FILE="$KESTRUNE_ROOT/cmake/mingw-$arch.cmake" \
        -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
    cmake --build "$dir" -j"${KESTRUNE_JOBS:-$(nproc)}"
}

# Builds everything for the Windows this machine can run.
kestrune_build() {
    "$KESTRUNE_ROOT/tools/setup.sh"
    kestrune_build_arch "$KESTRUNE_ARCH" "$KESTRUNE_BUILD"
}

# Builds the 32-bit release program too where the tests run a 64-bit build,
# so that what ships is compiled (warnings and all) on every machine.
kestrune_build_release() {
    [ "$KESTRUNE_ARCH" = i686 ] && return 0
    kestrune_build_arch i686 "$(kestrune_build_dir i686)" -DBUILD_TESTING=OFF
}
