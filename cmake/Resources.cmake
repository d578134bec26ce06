# Makes the game's art with the project's own tool and packs it into res134.pak beside the
# game executable. Every fresh build makes a complete, playable archive: the 1x art and the
# pictures again at 2x and 3x for large screens, each density its own makeart run so that a
# parallel build makes them side by side.
option(TARRABEL_ART "Make the game's art and res134.pak at build time" ON)

if(TARRABEL_ART AND TARGET makeart AND TARGET pakbuild)
    set(TARRABEL_ART_DIR ${CMAKE_BINARY_DIR}/art)
    set(TARRABEL_PAK ${CMAKE_BINARY_DIR}/res134.pak)
    add_custom_command(
        OUTPUT ${CMAKE_BINARY_DIR}/art.stamp
        COMMAND ${CMAKE_COMMAND} -E rm -rf ${TARRABEL_ART_DIR}
        COMMAND makeart ${TARRABEL_ART_DIR}
        COMMAND ${CMAKE_COMMAND} -E touch ${CMAKE_BINARY_DIR}/art.stamp
        DEPENDS makeart
        COMMENT "Making the card decks, table pictures, fonts and sounds"
        VERBATIM)
    set(TARRABEL_DENSITY_DIRS)
    set(TARRABEL_DENSITY_STAMPS)
    foreach(density 2 3)
        set(dir ${CMAKE_BINARY_DIR}/art-x${density})
        add_custom_command(
            OUTPUT ${dir}.stamp
            COMMAND ${CMAKE_COMMAND} -E rm -rf ${dir}
            COMMAND makeart ${dir} --density ${density}
            COMMAND ${CMAKE_COMMAND} -E touch ${dir}.stamp
            DEPENDS makeart
            COMMENT "Making the pictures and fonts at ${density}x"
            VERBATIM)
        list(APPEND TARRABEL_DENSITY_DIRS ${dir})
        list(APPEND TARRABEL_DENSITY_STAMPS ${dir}.stamp)
    endforeach()
    add_custom_command(
        OUTPUT ${TARRABEL_PAK}
        COMMAND pakbuild ${TARRABEL_PAK} ${TARRABEL_ART_DIR} ${TARRABEL_DENSITY_DIRS}
        DEPENDS ${CMAKE_BINARY_DIR}/art.stamp ${TARRABEL_DENSITY_STAMPS} pakbuild
        COMMENT "Packing res134.pak"
        VERBATIM)
    add_custom_target(resources ALL DEPENDS ${TARRABEL_PAK})

    # The contact sheets in docs/ are made on request and committed.
    add_custom_target(contact_sheets
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/sheets-art
        COMMAND makeart ${CMAKE_BINARY_DIR}/sheets-art --docs ${CMAKE_SOURCE_DIR}/docs
        COMMAND ${CMAKE_COMMAND} -E rm -rf ${CMAKE_BINARY_DIR}/sheets-art
        DEPENDS makeart
        VERBATIM)

    # So are the pictures of the table: the game's own drawing on the null platform.
    add_custom_target(table_shots
        COMMAND tableshot ${TARRABEL_PAK} ${CMAKE_SOURCE_DIR}/docs --variant 2 --seed 5
        COMMAND tableshot ${TARRABEL_PAK} ${CMAKE_SOURCE_DIR}/docs --variant 0 --seed 5 --keys
        COMMAND tableshot ${TARRABEL_PAK} ${CMAKE_SOURCE_DIR}/docs --variant 0 --seed 5
                --four-colour
        DEPENDS tableshot resources
        VERBATIM)
endif()
