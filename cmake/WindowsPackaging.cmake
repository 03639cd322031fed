# The packages of the Windows build, made by one command in its build folder:
#   cmake --build --preset windows-release --target windows-packages
# writes lumenquill-VERSION-win64.zip (portable) and lumenquill-VERSION-win64-setup.exe (NSIS)
# beside the build's bin folder, from the programs this build makes
# (tools/windows/make-packages.sh; makensis, zip and iconv from tools/windows/ensure-wine.sh).
if(NOT PROJECT_VERSION_PATCH)
  set(PROJECT_VERSION_PATCH 0)
endif()
set(version_quad
    ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.0)
add_custom_target(windows-packages
  COMMAND ${PROJECT_SOURCE_DIR}/tools/windows/make-packages.sh ${PROJECT_VERSION} ${version_quad}
          ${PROJECT_BINARY_DIR} $<TARGET_FILE:lumenquill> $<TARGET_FILE:lumenquill-info>
          ${CMAKE_STRIP}
  BYPRODUCTS ${PROJECT_BINARY_DIR}/lumenquill-${PROJECT_VERSION}-win64.zip
             ${PROJECT_BINARY_DIR}/lumenquill-${PROJECT_VERSION}-win64-setup.exe
  COMMENT "Making the Windows zip and installer"
  VERBATIM USES_TERMINAL)
add_dependencies(windows-packages lumenquill lumenquill-info)
