# What `cmake --install` puts where, and the packages cpack makes of it: the .deb on Linux, the
# kit zip (everything install.exe copies, beside it) on Windows.
include(GNUInstallDirs)

set(MEPU_APP_ID org.mepu.Mepu)
set(MEPU_MENU_IMAGES ${PROJECT_SOURCE_DIR}/data/sysmenu.dib ${PROJECT_SOURCE_DIR}/data/animmenu.dib
                     ${PROJECT_SOURCE_DIR}/data/stpmenu.dib ${PROJECT_SOURCE_DIR}/data/editmenu.dib)
set(CPACK_PACKAGE_NAME mepu)
set(CPACK_PACKAGE_VENDOR "mepu maintainers")
set(CPACK_PACKAGE_CONTACT "mepu maintainers <maintainers@users.noreply.c-seed-470315e8.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "flip-book animation kit for beginners")

if(WIN32)
  if(TARGET mepu AND TARGET mepusaver AND TARGET m2bmp AND TARGET mepu_installer)
    install(TARGETS mepu_installer mepu mepusaver m2bmp RUNTIME DESTINATION .)
  endif()
  install(FILES ${PROJECT_SOURCE_DIR}/data/install-windows.ini DESTINATION . RENAME install.ini)
  install(FILES ${MEPU_MENU_IMAGES} ${PROJECT_SOURCE_DIR}/data/sample.mpa DESTINATION .)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME mepu-${PROJECT_VERSION}-windows)
  include(CPack)
  return()
endif()

if(NOT (TARGET mepu AND TARGET mepusaver AND TARGET m2bmp AND TARGET mepu-thumbnailer))
  return()
endif()

# The first-run setup takes the folder of the program the user runs as the folder of the menu
# images, so the programs live beside them and bin holds links to them.
set(program_dir ${CMAKE_INSTALL_LIBEXECDIR}/mepu)
install(TARGETS mepu mepusaver m2bmp RUNTIME DESTINATION ${program_dir})
install(FILES ${MEPU_MENU_IMAGES} DESTINATION ${program_dir})
file(RELATIVE_PATH bin_to_programs /prefix/${CMAKE_INSTALL_BINDIR} /prefix/${program_dir})
foreach(program mepu mepusaver m2bmp)
  install(CODE "
    set(link \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/${program}\")
    file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
    file(REMOVE \"\${link}\")
    file(CREATE_LINK ${bin_to_programs}/${program} \"\${link}\" SYMBOLIC)
    message(STATUS \"Installing: \${link} -> ${bin_to_programs}/${program}\")")
endforeach()
install(TARGETS mepu-thumbnailer RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/data/sample.mpa DESTINATION ${CMAKE_INSTALL_DATADIR}/mepu)

set(linux_data ${PROJECT_SOURCE_DIR}/data/linux)
install(FILES ${linux_data}/mepu.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
install(FILES ${linux_data}/${MEPU_APP_ID}.desktop ${linux_data}/${MEPU_APP_ID}.Converter.desktop
              ${linux_data}/${MEPU_APP_ID}.SaverSettings.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${linux_data}/mepu.thumbnailer DESTINATION ${CMAKE_INSTALL_DATADIR}/thumbnailers)
configure_file(${linux_data}/${MEPU_APP_ID}.metainfo.xml
               ${CMAKE_BINARY_DIR}/${MEPU_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/${MEPU_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 48 128 256)
  install(FILES ${PROJECT_SOURCE_DIR}/data/icons/mepu-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${MEPU_APP_ID}.png)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/data/icons/mepu.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME ${MEPU_APP_ID}.svg)

# Debian wants the changelog and the manual pages compressed, without a time stamp.
find_program(MEPU_GZIP gzip REQUIRED)
set(compressed)
foreach(file changelog man/mepu.1 man/mepusaver.1 man/m2bmp.1 man/mepu-thumbnailer.1)
  set(output ${CMAKE_BINARY_DIR}/packaging/${file}.gz)
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging/man
    COMMAND ${MEPU_GZIP} -9n -c ${linux_data}/${file} > ${output}
    DEPENDS ${linux_data}/${file})
  list(APPEND compressed ${output})
endforeach()
add_custom_target(mepu_compressed_docs ALL DEPENDS ${compressed})
install(FILES ${linux_data}/copyright ${CMAKE_BINARY_DIR}/packaging/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(DIRECTORY ${CMAKE_BINARY_DIR}/packaging/man/ DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The text below the synopsis (CPACK_PACKAGE_DESCRIPTION_SUMMARY); CPack indents its lines.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Draw black and white 320 x 240 frames with the mouse, one
after the other, and play them back. The kit holds the editor mepu, a screen
saver that plays an animation, a converter that turns every frame into a BMP
file, and a thumbnailer that shows an animation's first drawing in file
managers. The menus are in Japanese.")
include(CPack)
