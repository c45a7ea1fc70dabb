#!/bin/sh
# Builds the program, installing what is missing from Debian's packages first.
#   ./build.sh run    build the program, then start it on the default database
#   ./build.sh test   build everything, then run every test
#   ./build.sh sanitize  build the tests with AddressSanitizer and
#                     UndefinedBehaviorSanitizer (in build-asan), then run them
set -e
cd "$(dirname "$0")"

PACKAGES="cmake make g++ pkg-config qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libqt6svg6-dev \
libsqlite3-dev libgl-dev libbenchmark-dev fonts-dejavu-core xdg-utils"
# The tests also have every source checked by clang, Debian's.
CLANG=clang++-14
[ "${1:-run}" != test ] || PACKAGES="$PACKAGES clang-14"
missing=""
for p in $PACKAGES; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing
fi

# Continuous integration (CI set) turns every compiler warning into an error.
werror=OFF
[ -z "$CI" ] || werror=ON
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARLOMY_WERROR=$werror

case "${1:-run}" in
run)
    # The program alone, with its databases and the files beside it.
    cmake --build build -j "$(nproc)" --target tarlomy
    exec build/bin/tarlomy ;;
test)
    cmake --build build -j "$(nproc)"
    # The code compiles with clang as well: every source, with the build's
    # flags, syntax only (a second run checks only what changed).
    cmake -DBUILD=build -DCLANG=$CLANG -P cmake/clangcheck.cmake
    make -s -j "$(nproc)" -f build/clangcheck/Makefile
    cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)" ;;
sanitize)
    # The test programs alone (no program, no benchmarks, no clang check),
    # in a folder of their own. The first report (freed or stray memory read,
    # a leak, undefined behaviour) ends its test and fails the run.
    flags="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
    # Warnings are the first build's to catch: the sanitizers bring false ones.
    cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARLOMY_WERROR=OFF \
        "-DCMAKE_CXX_FLAGS=$flags" "-DCMAKE_C_FLAGS=$flags" "-DCMAKE_EXE_LINKER_FLAGS=-fsanitize=address,undefined"
    cmake --build build-asan -j "$(nproc)" --target tests
    export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1" UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
    cd build-asan && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)" ;;
*)
    echo "usage: $0 run|test|sanitize" >&2; exit 2 ;;
esac
