# SPDX-License-Identifier: GPL-3.0-or-later
# What `cmake --install` lays out under the prefix, and the Debian package
# that CPack makes of it (scripts/package).
set(kestra_res ${PROJECT_SOURCE_DIR}/res)
set(kestra_data ${CMAKE_INSTALL_DATADIR}/kestra)

# Packaged defaults: an installed program reads them and never writes there.
install(FILES ${KESTRA_PROGRAM_INI} DESTINATION ${kestra_data})

# Desktop entry, icons, AppStream metadata.
install(FILES ${kestra_res}/${KESTRA_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(size 16 24 32 48 64 128 256)
  install(FILES ${kestra_res}/icons/kestra-${size}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
    RENAME ${KESTRA_ID}.png)
endforeach()
configure_file(${kestra_res}/${KESTRA_ID}.metainfo.xml.in
  ${CMAKE_BINARY_DIR}/res/${KESTRA_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/res/${KESTRA_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The udev rule for the programming cables. lib/udev, not under the data
# folder: udev reads /usr/lib/udev/rules.d.
install(FILES ${kestra_res}/udev/60-kestra.rules DESTINATION lib/udev/rules.d)

# Manual pages and bash completion.
install(FILES ${kestra_res}/man/kestra.1 ${kestra_res}/man/kestra-cli.1
  DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# The pages name the packaged files' folder as /usr/share/kestra; an install
# under another prefix (/usr/local) names its own, known only at install time.
install(CODE "
  set(data \"\${CMAKE_INSTALL_PREFIX}/${kestra_data}\")
  if(NOT data STREQUAL \"/usr/share/kestra\")
    foreach(page kestra.1 kestra-cli.1)
      set(file \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_MANDIR}/man1/\${page}\")
      file(READ \"\${file}\" text)
      string(REPLACE \"/usr/share/kestra\" \"\${data}\" text \"\${text}\")
      file(WRITE \"\${file}\" \"\${text}\")
    endforeach()
  endif()
")
install(FILES ${kestra_res}/completion/kestra-cli
  DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)

# A Debian package wants its manual pages compressed and its copyright and
# changelog in share/doc/kestra; scripts/package asks for both with
# KESTRA_DEB_LAYOUT=1 in the environment (a plain install leaves them out).
install(CODE "
  if(\"\$ENV{KESTRA_DEB_LAYOUT}\" STREQUAL \"1\")
    set(root \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}\")
    foreach(page kestra.1 kestra-cli.1)
      execute_process(COMMAND gzip -9nf \"\${root}/${CMAKE_INSTALL_MANDIR}/man1/\${page}\"
        RESULT_VARIABLE rc)
      if(rc)
        message(FATAL_ERROR \"gzip \${page} failed\")
      endif()
    endforeach()
    set(doc \"\${root}/${CMAKE_INSTALL_DATADIR}/doc/kestra\")
    file(MAKE_DIRECTORY \"\${doc}\")
    file(COPY_FILE \"${kestra_res}/debian/copyright\" \"\${doc}/copyright\")
    # A native package (no Debian revision): its changelog is changelog.gz.
    file(COPY_FILE \"${CMAKE_BINARY_DIR}/res/changelog.Debian\" \"\${doc}/changelog\")
    execute_process(COMMAND gzip -9nf \"\${doc}/changelog\")
  endif()
")
# The changelog's date: SOURCE_DATE_EPOCH's when it is set, else midnight
# (UTC) of the release date in CMakeLists.txt, so that every build of one
# version packs the same changelog.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  string(TIMESTAMP kestra_changelog_date "%a, %d %b %Y %H:%M:%S +0000" UTC)
else()
  string(REGEX MATCH "^([0-9]+)-0*([0-9]+)-0*([0-9]+)$" date_parts "${KESTRA_RELEASE_DATE}")
  set(year ${CMAKE_MATCH_1})
  set(month ${CMAKE_MATCH_2})
  # Days since 1970-01-01, counting years from March (the leap day last).
  if(month LESS_EQUAL 2)
    math(EXPR year "${year} - 1")
    math(EXPR month "${month} + 9")
  else()
    math(EXPR month "${month} - 3")
  endif()
  math(EXPR epoch "86400 * (365 * ${year} + ${year} / 4 - ${year} / 100 + ${year} / 400 + (153 * ${month} + 2) / 5 + ${CMAKE_MATCH_3} - 1 - 719468)")
  set(ENV{SOURCE_DATE_EPOCH} ${epoch})
  string(TIMESTAMP kestra_changelog_date "%a, %d %b %Y %H:%M:%S +0000" UTC)
  unset(ENV{SOURCE_DATE_EPOCH})
endif()
configure_file(${kestra_res}/debian/changelog.in ${CMAKE_BINARY_DIR}/res/changelog.Debian @ONLY)

# The Debian package: CPack's DEB generator over the install above, with the
# dependencies worked out from the binaries by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kestra)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Kestra developers")
set(CPACK_PACKAGE_CONTACT "The Kestra developers <kestra@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "programming application for a dual-band handheld FM radio")
# CPack puts the summary on the Description line and indents these lines;
# an empty line becomes the " ." paragraph break.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"Kestra reads the 16 KiB programmable memory of a dual-band handheld FM
radio through a USB-serial programming cable, shows its 256 memory channels
in a grid and its settings in dialogs, and writes the memory back. Images
are kept as .dat files, every exchange is backed up, and channels are
exchanged with other tools as CSV.

kestra-cli scripts every dialog and exchange without a display, and a
virtual radio lets you try it all without hardware.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${KESTRA_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads its platform plug-in at run time; dpkg-shlibdeps cannot see it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
