# The Debian package, made by CPack's DEB generator from the install rules:
#   cmake --build build --target package   ->  build/vorlen_<version>_<arch>.deb
# CPack rather than a debian/ folder and dpkg-buildpackage: the package is made
# from the build that was just tested, by the same install rules that
# `cmake --install` runs, in seconds; dpkg-buildpackage would build the whole
# tree a second time (twice the CI time on two cores) and keep a second
# description of the installed files in debian/*.install.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vorlen)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The vorlen developers")
set(CPACK_PACKAGE_CONTACT "The vorlen developers <vorlen@example.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Korean tabbed web browser and its theme-pack builder")
# CPack puts the summary first; the text below becomes the extended description.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "vorlen is a tabbed web browser on Qt WebEngine with a Korean user interface:
a skinned, borderless window with an address bar, a side bar with favorites,
web search and a notepad, shortcuts, and theme packs. It checks the spelling
of Korean (and American English) text in page fields, and maps the Korean
faces web pages ask for onto the installed Korean fonts.

prismel is a wizard that builds theme packs for vorlen.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION web)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries come from dpkg-shlibdeps; the fonts the aliases map onto and
# the Qt translations are listed, and the SQLite driver of the history (a
# plugin Qt loads at run time, which dpkg-shlibdeps cannot see).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-noto-cjk, fonts-nanum, libqt6sql6-sqlite")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, fcitx5-hangul | ibus-hangul")
include(CPack)
