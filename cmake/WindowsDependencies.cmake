# The libraries of the Windows build that Debian does not package for mingw-w64: built once from
# Debian's sources by tools/windows/build-dependencies.sh into a folder that the Windows builds
# share, and kept there.
set(LUMENQUILL_WINDOWS_DEPENDENCIES ${PROJECT_SOURCE_DIR}/build/windows-dependencies CACHE PATH
    "Where the Windows build's libdeflate and GoogleTest are built")
if(NOT EXISTS ${LUMENQUILL_WINDOWS_DEPENDENCIES}/lib/libdeflate.a
   OR NOT EXISTS ${LUMENQUILL_WINDOWS_DEPENDENCIES}/lib/libgtest.a)
  message(STATUS "Building libdeflate and GoogleTest for Windows from Debian's sources")
  execute_process(
    COMMAND ${PROJECT_SOURCE_DIR}/tools/windows/build-dependencies.sh
            ${LUMENQUILL_WINDOWS_DEPENDENCIES}
    RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "tools/windows/build-dependencies.sh failed")
  endif()
endif()
list(APPEND CMAKE_FIND_ROOT_PATH ${LUMENQUILL_WINDOWS_DEPENDENCIES})
list(APPEND CMAKE_PREFIX_PATH ${LUMENQUILL_WINDOWS_DEPENDENCIES})

add_library(lumenquill_libdeflate STATIC IMPORTED)
set_target_properties(lumenquill_libdeflate PROPERTIES
  IMPORTED_LOCATION ${LUMENQUILL_WINDOWS_DEPENDENCIES}/lib/libdeflate.a
  INTERFACE_INCLUDE_DIRECTORIES ${LUMENQUILL_WINDOWS_DEPENDENCIES}/include)
