# Sourced by the scripts that build Kovana, after they have set root to the
# source tree: sets build to the build folder (KOVANA_BUILD_DIR, else build/
# in the tree) and defines kovana_build, which installs what the build needs,
# configures the folder for mingw-w64 and builds the targets given.
#   usage: kovana_build [--quiet] [EXTRA...] -- TARGET...
# The extras go to tools/install-deps.sh; "tests" also configures the tests
# (BUILD_TESTING), which need it. --quiet keeps CMake's configure messages out
# of what the script prints.

build=${KOVANA_BUILD_DIR:-$root/build}

kovana_build() {
    local quiet= extras=() testing=()
    if [ "${1:-}" = --quiet ]; then
        quiet=1
        shift
    fi
    while [ $# -gt 0 ] && [ "$1" != -- ]; do
        extras+=("$1")
        if [ "$1" = tests ]; then testing=(-DBUILD_TESTING=ON); fi
        shift
    done
    shift
    "$root/tools/install-deps.sh" "${extras[@]}"
    # A build folder made now is built by Ninja, which keeps both processors busier
    # than make does; one made before keeps its generator.
    command -v ninja >/dev/null && export CMAKE_GENERATOR=${CMAKE_GENERATOR:-Ninja}
    local configure=(cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" "${testing[@]}")
    if [ -n "$quiet" ]; then
        "${configure[@]}" >/dev/null
    else
        "${configure[@]}"
    fi
    cmake --build "$build" -j"$(nproc)" --target "$@"
}
