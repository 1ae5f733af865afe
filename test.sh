#!/usr/bin/env bash
# Builds Nivar twice (normally and with AddressSanitizer + UndefinedBehaviorSanitizer) and runs
# every test in both builds. Installs the Debian packages it needs when they are missing.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/packages.sh
ensure_packages "${BUILD_PACKAGES[@]}" clang-format clang libclang-rt-14-dev python3 locales binutils

# A locale whose decimal separator is a comma, for the test that the report ignores it.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
    sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    "${sudo[@]}" localedef -i de_DE -f UTF-8 de_DE.UTF-8 ||
        echo "could not make the de_DE.UTF-8 locale: the locale test will be skipped"
fi

echo "== layers (includes)"
/usr/bin/python3 scripts/check-layers.py

echo "== formatting"
git ls-files -- 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'fuzz/*.cpp' |
    xargs clang-format --dry-run --Werror

jobs=$(nproc)

echo "== normal build"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNIVAR_WERROR=ON >/dev/null
cmake --build build -j "$jobs"
echo "== layers (the symbols of the object files)"
/usr/bin/python3 scripts/check-layers.py build
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j "$jobs"

echo "== reports of the benchmark corpus, byte for byte"
/usr/bin/python3 bench/check-reports.py --quick

echo "== sanitizer build"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DSANITIZE=ON -DNIVAR_WERROR=ON >/dev/null
cmake --build build-asan -j "$jobs"
export ASAN_OPTIONS=detect_leaks=1:halt_on_error=1:abort_on_error=1:strict_string_checks=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
QT_QPA_PLATFORM=offscreen ctest --test-dir build-asan --output-on-failure -j "$jobs"

echo "== fuzzing (a short run of each target)"
# The replay of every kept input is part of the tests above; a new finding of this short run
# is kept in fuzz/regressions/ and reported, for the tests to replay from then on.
status=0
scripts/fuzz.sh 30 || status=$?
if [ "$status" -eq 1 ]; then
    echo "== the fuzzers found new failing inputs: see fuzz/regressions/"
elif [ "$status" -ne 0 ]; then
    exit "$status"
fi

echo "== all tests passed"
