# Debian packages made by `cpack -G DEB` in a build folder. A build with the windows makes the
# package lumenquill; a build without them (LUMENQUILL_BUILD_UI=OFF) makes lumenquill-cli,
# for servers without Qt, holding whatever programs that build installs. Both install
# /usr/bin/lumenquill-info (and, once the console lumenquill exists, /usr/bin/lumenquill), so
# each conflicts with and replaces the other.
if(LUMENQUILL_BUILD_UI)
  set(CPACK_PACKAGE_NAME lumenquill)
  set(other_package lumenquill-cli)
  set(summary "extract the text of PDF files into Shift-JIS text files")
  set(contents "This package holds the program with its windows, the diagnostic tool\n"
               "lumenquill-info, a desktop entry for PDF files and the manual pages.")
  # Qt loads the SVG pictures of the windows through a plugin, which dpkg-shlibdeps cannot see.
  # Without Qt's Japanese translation the standard dialogs speak English, and without a
  # Japanese font the windows show boxes: both work, so both are only recommended.
  set(CPACK_DEBIAN_PACKAGE_DEPENDS libqt6svg6)
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, fonts-japanese-gothic")
else()
  set(CPACK_PACKAGE_NAME lumenquill-cli)
  set(other_package lumenquill)
  set(summary "extract the text of PDF files into Shift-JIS text files (no Qt)")
  set(contents "This package holds the command-line programs, without the windows and\n"
               "without Qt, for servers.")
endif()
string(JOIN "" contents ${contents})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Lumenquill")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY ${summary})
set(CPACK_PACKAGE_HOMEPAGE_URL ${PROJECT_HOMEPAGE_URL})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SECTION text)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Lumenquill developers <lumenquill@lumenquill.jp>")
# CPack puts the summary first and indents these lines; an empty line becomes " .".
set(CPACK_PACKAGE_DESCRIPTION
    "Lumenquill reads PDF files (versions 1.0 to 1.4, and newer ones when asked\n"
    "to), understands the Japanese predefined CMaps and the CMaps embedded in\n"
    "fonts, and writes the text of every page to a Shift-JIS text file beside\n"
    "each PDF file.\n"
    "\n"
    "${contents}")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
# dpkg-shlibdeps computes the rest of Depends from the libraries the programs link (libdeflate,
# nettle, Qt).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONFLICTS ${other_package})
set(CPACK_DEBIAN_PACKAGE_REPLACES ${other_package})
# name_version-revision_architecture.deb
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)

# A Debian package carries its copyright and its changelog in /usr/share/doc/PACKAGE, the
# changelog compressed and dated when the build is configured (or at SOURCE_DATE_EPOCH).
include(${PROJECT_SOURCE_DIR}/cmake/CompressForInstall.cmake)
string(TIMESTAMP package_date "%a, %d %b %Y %H:%M:%S +0000" UTC)
set(changelog ${PROJECT_BINARY_DIR}/packaging/changelog.Debian)
configure_file(${PROJECT_SOURCE_DIR}/packaging/debian/changelog.in ${changelog} @ONLY)
compress_for_install(${changelog})
install(FILES ${PROJECT_SOURCE_DIR}/packaging/debian/copyright ${changelog}.gz
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${CPACK_PACKAGE_NAME})
include(CPack)
