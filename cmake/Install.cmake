# What `cmake --install` puts where, in the usual layout of a Linux game:
#   bin/tarrabel                                  the game
#   share/tarrabel/res134.pak                     its art, found from bin/ as ../share/tarrabel
#   share/applications/tarrabel.desktop           the desktop menu entry
#   share/icons/hicolor/{48x48,256x256}/apps/     the icon, drawn by the art tool
#   share/doc/tarrabel/                           the licence and the credits
include(GNUInstallDirs)

set(TARRABEL_DATA_DIR ${CMAKE_INSTALL_DATADIR}/tarrabel)
set(TARRABEL_DOC_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/tarrabel)

# The game looks for its archive beside itself first (the build folder), then in the data
# folder at the same place relative to bin as the install rules put it.
file(RELATIVE_PATH TARRABEL_INSTALLED_DATA ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_FULL_DATADIR}/tarrabel)
target_compile_definitions(tarrabel PRIVATE TARRABEL_INSTALLED_DATA="${TARRABEL_INSTALLED_DATA}")

install(TARGETS tarrabel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/data/tarrabel.desktop
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/COPYING ${PROJECT_SOURCE_DIR}/docs/CREDITS.md
        DESTINATION ${TARRABEL_DOC_DIR})

if(TARGET resources)
    install(FILES ${TARRABEL_PAK} DESTINATION ${TARRABEL_DATA_DIR})

    # The icons are made with the rest of the art, into their own folder: they are not part
    # of the archive.
    set(TARRABEL_ICON_SIZES 48 256)
    set(TARRABEL_ICON_DIR ${CMAKE_BINARY_DIR}/icons)
    set(TARRABEL_ICONS)
    foreach(size ${TARRABEL_ICON_SIZES})
        list(APPEND TARRABEL_ICONS ${TARRABEL_ICON_DIR}/tarrabel-${size}.png)
    endforeach()
    add_custom_command(
        OUTPUT ${TARRABEL_ICONS}
        COMMAND makeart --icons ${TARRABEL_ICON_DIR}
        DEPENDS makeart
        COMMENT "Making the desktop icons"
        VERBATIM)
    add_custom_target(icons ALL DEPENDS ${TARRABEL_ICONS})
    foreach(size ${TARRABEL_ICON_SIZES})
        install(FILES ${TARRABEL_ICON_DIR}/tarrabel-${size}.png
                DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/${size}x${size}/apps
                RENAME tarrabel.png)
    endforeach()
endif()
