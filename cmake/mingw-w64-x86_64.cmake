# Cross-compiles for 64-bit Windows with Debian's mingw-w64 (g++-mingw-w64-x86-64-posix: the
# POSIX thread model, which std::thread needs). The programs link the C++ runtime statically,
# so that they need nothing beside them that Windows lacks; tests run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(LUMENQUILL_MINGW_TRIPLET x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${LUMENQUILL_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${LUMENQUILL_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${LUMENQUILL_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${LUMENQUILL_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The static libraries first: zlib's import library would tie the programs to zlib1.dll.
set(ZLIB_USE_STATIC_LIBS ON)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/windows/wine-run.sh)
