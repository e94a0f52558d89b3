#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 the fieldcalc developers
# SPDX-License-Identifier: MIT

# clang-tidy (checks in .clang-tidy) and cppcheck over the project's own sources.
# usage: static-analysis.sh BUILD_DIR   (configured with CMAKE_EXPORT_COMPILE_COMMANDS=ON
#        and FIELDCALC_BUILD_BENCHMARKS=ON)
set -euo pipefail
build=$1
sources=(app/*.cpp cli/*.cpp ui/*.cpp model/*.cpp tests/*.cpp bench/*.cpp bench/baseline/*.cpp)
# One file per process, as many at once as there are cores.
printf '%s\0' "${sources[@]}" | xargs -0 -n1 -P"$(nproc)" clang-tidy -p "$build" --quiet
cppcheck --quiet --enable=warning,performance,portability,style --std=c++17 \
    --error-exitcode=1 --inline-suppr --suppress=missingIncludeSystem \
    -I model -I ui app cli model ui tests fuzz bench
echo "PASS: static analysis"
