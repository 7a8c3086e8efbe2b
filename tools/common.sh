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

# Why the build was chosen goes with the choice, so that a script started by
# another (run.sh inside its Wine session) keeps the first one's reason.
if [ -z "${KESTRUNE_ARCH:-}" ]; then
    if kestrune_machine_runs_i386; then
        KESTRUNE_ARCH=i686 KESTRUNE_ARCH_REASON="this machine runs 32-bit code"
    else
        KESTRUNE_ARCH=x86_64 KESTRUNE_ARCH_REASON="this machine runs no 32-bit code"
    fi
fi
KESTRUNE_ARCH_REASON="${KESTRUNE_ARCH_REASON:-KESTRUNE_ARCH=$KESTRUNE_ARCH chose it}"
export KESTRUNE_ARCH KESTRUNE_ARCH_REASON

# The build of the release (32-bit) is build/; the 64-bit one is build-x86_64/.
kestrune_build_dir() {
    if [ "$1" = i686 ]; then echo "$KESTRUNE_ROOT/build"; else echo "$KESTRUNE_ROOT/build-$1"; fi
}
KESTRUNE_BUILD="${KESTRUNE_BUILD:-$(kestrune_build_dir "$KESTRUNE_ARCH")}"

# One line on the terminal: which build the script uses, and why.
kestrune_say_build() {
    local what="the 64-bit build under 64-bit Wine"
    [ "$KESTRUNE_ARCH" = i686 ] && what="the 32-bit build under Wine"
    echo "$(basename "$0"): $what ($KESTRUNE_BUILD): $KESTRUNE_ARCH_REASON" >&2
}

# kestrune_build_arch <arch> <build dir> [cmake configure options...] [-- targets...]
# Without targets it builds everything.
kestrune_build_arch() {
    local arch="$1" dir="$2" options=() targets=()
    shift 2
    while [ $# -gt 0 ] && [ "$1" != -- ]; do options+=("$1"); shift; done
    [ $# -gt 0 ] && { shift; targets=(--target "$@"); }
    cmake -S "$KESTRUNE_ROOT" -B "$dir" \
        -DCMAKE_TOOLCHAIN_FILE="$KESTRUNE_ROOT/cmake/mingw-$arch.cmake" \
        -DCMAKE_BUILD_TYPE=Release "${options[@]}" >/dev/null
    cmake --build "$dir" -j"${KESTRUNE_JOBS:-$(nproc)}" "${targets[@]}"
}

# kestrune_build [targets...]: builds those targets (everything when none
# is named) for the Windows this machine can run.
kestrune_build() {
    "$KESTRUNE_ROOT/tools/setup.sh"
    kestrune_say_build
    if [ $# -gt 0 ]; then
        kestrune_build_arch "$KESTRUNE_ARCH" "$KESTRUNE_BUILD" -- "$@"
    else
        kestrune_build_arch "$KESTRUNE_ARCH" "$KESTRUNE_BUILD"
    fi
}

# Builds the 32-bit release program too where the tests run a 64-bit build,
# so that what ships is compiled (warnings and all) on every machine.
kestrune_build_release() {
    [ "$KESTRUNE_ARCH" = i686 ] && return 0
    kestrune_build_arch i686 "$(kestrune_build_dir i686)" -DBUILD_TESTING=OFF
}
