# `cpack -G DEB` in the build folder makes a Debian package of the installation. Its
# dependencies are those of the binaries (dpkg-shlibdeps, from dpkg-dev), so apt pulls the Qt
# libraries the program links; Qt's own translations are recommended.
set(CPACK_PACKAGE_NAME quorvex)
set(CPACK_PACKAGE_VENDOR "Quorvex")
set(CPACK_PACKAGE_CONTACT "Quorvex developers <quorvex@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "batch search and replace in text, HTML and RTF files")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Quorvex searches a list of files (single files, whole folders or saved lists) for a pattern "
    "and replaces it, showing each occurrence in its file first if you like. Patterns may use "
    "wildcard tokens; RTF is searched as the text a word processor shows, and plain text and "
    "HTML keep their encoding. quorvex-batch runs the same searches from a terminal.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://github.com/quorvex/quorvex")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "bash-completion")
include(CPack)
