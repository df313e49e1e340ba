# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 and runs the results under Wine.
#   cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(QUINTARO_MINGW_TRIPLET x86_64-w64-mingw32)

# The posix thread model: GoogleTest needs std::thread and std::mutex, which the win32 one lacks.
set(CMAKE_C_COMPILER ${QUINTARO_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUINTARO_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${QUINTARO_MINGW_TRIPLET}-windres)
# Resource scripts are UTF-8; without this windres reads them in the ANSI code page and mangles
# the Japanese text.
set(CMAKE_RC_FLAGS_INIT "-c 65001")

set(CMAKE_FIND_ROOT_PATH /usr/${QUINTARO_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Static runtime: the executables import only system DLLs, so they run from any folder without
# libstdc++-6.dll, libgcc_s_seh-1.dll or libwinpthread-1.dll beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static")

# CTest and try_run start the test programs through Wine. Run ctest inside scripts/with-wine.sh,
# which prepares the prefix, the display and the server first.
find_program(QUINTARO_WINE NAMES wine PATHS /usr/bin /usr/local/bin NO_CMAKE_FIND_ROOT_PATH)
if(QUINTARO_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${QUINTARO_WINE})
else()
  message(WARNING "wine not found: the Windows tests cannot run on this machine")
endif()
