# SPDX-FileCopyrightText: 2026 the fieldcalc developers
# SPDX-License-Identifier: MIT

# Cross-building for 64-bit Windows with MinGW-w64 (posix threads) against the
# static Qt that tools/qt-windows.sh builds. Its prefix comes from the cache
# variable or the environment variable FIELDCALC_QT_WINDOWS.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)

if(NOT FIELDCALC_QT_WINDOWS)
    set(FIELDCALC_QT_WINDOWS "$ENV{FIELDCALC_QT_WINDOWS}")
endif()
if(NOT FIELDCALC_QT_WINDOWS OR NOT EXISTS "${FIELDCALC_QT_WINDOWS}/lib/cmake/Qt5")
    message(FATAL_ERROR "No Qt for Windows: set FIELDCALC_QT_WINDOWS to the prefix that "
        "tools/qt-windows.sh prints (bash tools/windows-build.sh does it all).")
endif()
set(FIELDCALC_QT_WINDOWS "${FIELDCALC_QT_WINDOWS}" CACHE PATH "Static Qt for Windows" FORCE)
# try_compile projects see the prefix too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES FIELDCALC_QT_WINDOWS)

set(CMAKE_FIND_ROOT_PATH /usr/${triple} "${FIELDCALC_QT_WINDOWS}")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY BOTH)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE BOTH)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)
set(Qt5_DIR "${FIELDCALC_QT_WINDOWS}/lib/cmake/Qt5" CACHE PATH "" FORCE)

# No runtime DLLs beside the programs: the compiler's own libraries go in statically.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++ -Wl,--gc-sections")

# Tests run under Wine, each in the build's own prefix (tests/windows/wine-run.sh).
get_filename_component(fieldcalc_source "${CMAKE_CURRENT_LIST_DIR}/../.." ABSOLUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR "${fieldcalc_source}/tests/windows/wine-run.sh")
