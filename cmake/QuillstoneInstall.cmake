# Installing Quillstone: the programs into bin/, the shipped files of data/ into
# share/quillstone/ (where ProgramDirectory() looks, relative to bin/), and what the desktop
# needs: the desktop entry, the icon in the hicolor theme, the AppStream metainfo, the man
# pages and the bash completion. `make package` turns the same install into a Debian
# package with CPack.
#
# The icon's PNG renderings and the man pages are made in the build tree: the icons in
# build/icons/hicolor, which lies to build/bin as share/icons/hicolor lies to
# share/quillstone, so a program run from the build tree finds its icon as an installed one.

set(desktop_dir ${PROJECT_SOURCE_DIR}/data/desktop)
set(icon_svg ${desktop_dir}/${QUILLSTONE_APP_ID}.svg)

find_program(QUILLSTONE_RSVG_CONVERT rsvg-convert REQUIRED)
set(icon_outputs)
foreach(size 16 22 24 32 48 64 128 256 512)
  set(dir ${PROJECT_BINARY_DIR}/icons/hicolor/${size}x${size}/apps)
  set(png ${dir}/${QUILLSTONE_APP_ID}.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
    COMMAND ${QUILLSTONE_RSVG_CONVERT} --width ${size} --height ${size} --output ${png} ${icon_svg}
    DEPENDS ${icon_svg} VERBATIM)
  list(APPEND icon_outputs ${png})
endforeach()

set(man_outputs)
foreach(page quillstone quillstone-cli)
  set(man ${PROJECT_BINARY_DIR}/man/${page}.1.gz)
  set(cli_arg)
  set(cli_dep)
  if(page STREQUAL "quillstone-cli")
    set(cli_arg -DCLI=$<TARGET_FILE:quillstone-cli>)
    set(cli_dep quillstone-cli)
  endif()
  add_custom_command(OUTPUT ${man}
    COMMAND ${CMAKE_COMMAND} -DTEMPLATE=${PROJECT_SOURCE_DIR}/data/man/${page}.1.in -DOUTPUT=${man}
            -DVERSION=${PROJECT_VERSION} -DDATE=${QUILLSTONE_RELEASE_DATE} ${cli_arg}
            -P ${PROJECT_SOURCE_DIR}/cmake/ManPage.cmake
    DEPENDS ${PROJECT_SOURCE_DIR}/data/man/${page}.1.in ${PROJECT_SOURCE_DIR}/cmake/ManPage.cmake ${cli_dep}
    VERBATIM)
  list(APPEND man_outputs ${man})
endforeach()

# The Debian change log of the package, from the version and release date.
execute_process(COMMAND date -R -u -d "${QUILLSTONE_RELEASE_DATE} 12:00" OUTPUT_VARIABLE QUILLSTONE_RELEASE_RFC2822
                OUTPUT_STRIP_TRAILING_WHITESPACE)
configure_file(${PROJECT_SOURCE_DIR}/packaging/debian/changelog.in ${PROJECT_BINARY_DIR}/packaging/changelog @ONLY)

# The package's copyright file carries the licence of data/ (without its title), as a
# Debian licence paragraph: each line indented, blank lines as " .".
file(READ ${PROJECT_SOURCE_DIR}/data/QST_license.txt license)
string(REGEX REPLACE "^[^\n]*\n=+\n" "" license "${license}")
string(STRIP "${license}" license)
string(REPLACE "\n\n" "\n.\n" license "${license}")
string(REPLACE "\n" "\n " license "${license}")
set(QUILLSTONE_LICENSE_TEXT " ${license}")
configure_file(${PROJECT_SOURCE_DIR}/packaging/debian/copyright.in ${PROJECT_BINARY_DIR}/packaging/copyright @ONLY)
add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/packaging/changelog.gz
  COMMAND gzip -9 -n -f -k ${PROJECT_BINARY_DIR}/packaging/changelog
  DEPENDS ${PROJECT_BINARY_DIR}/packaging/changelog VERBATIM)

add_custom_target(quillstone_desktop_files ALL
  DEPENDS ${icon_outputs} ${man_outputs} ${PROJECT_BINARY_DIR}/packaging/changelog.gz)

# Directories the install creates are readable by everyone, whatever the umask.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

install(TARGETS quillstone quillstone-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${QUILLSTONE_DATA_FILES} DESTINATION ${CMAKE_INSTALL_DATADIR}/quillstone)
install(FILES ${desktop_dir}/${QUILLSTONE_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${desktop_dir}/${QUILLSTONE_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${icon_svg} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(DIRECTORY ${PROJECT_BINARY_DIR}/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES ${man_outputs} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_SOURCE_DIR}/data/completion/quillstone-cli
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
install(FILES ${PROJECT_BINARY_DIR}/packaging/copyright ${PROJECT_BINARY_DIR}/packaging/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

# `make package`: a Debian package of the install above, into the build folder as
# quillstone_<version>_<architecture>.deb. dpkg-shlibdeps works out the libraries the
# programs need; the text stage needs a font besides.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillstone)
set(CPACK_PACKAGE_VENDOR "Quillstone developers")
set(CPACK_PACKAGE_CONTACT "Quillstone developers <maintainers@quillstone.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${PROJECT_HOMEPAGE_URL}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core")
# The help files open with the desktop's default program; Wayland sessions draw natively.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGE_DESCRIPTION_FILE ${PROJECT_SOURCE_DIR}/packaging/debian/description)
include(CPack)
