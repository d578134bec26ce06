# Keeps the source folders layered one way: each folder may include its own headers and
# those of the folders below it, never one above, so no cycle can creep back in.
#
#   app -> presentation -> persist -> session -> ai -> rules -> motion -> core
#
# It also keeps SDL behind src/platform, so the game logic stays plain C++.
#
# Run as: cmake -DSRC_DIR=<path to src> -P layering_check.cmake
# Fails naming every file and include that breaks a rule.

cmake_minimum_required(VERSION 3.20)

if(NOT SRC_DIR)
    message(FATAL_ERROR "layering_check: pass -DSRC_DIR=<path to src>")
endif()

# The layers from the bottom up; a folder's position is its rank.
set(layers core motion rules ai session persist presentation app)
# src/platform and src/resources stand beside the layers (drawing and the application reach
# the screen and the unpacked pictures through them); only core, the bottom, stays free of
# every other folder.

file(GLOB_RECURSE sources RELATIVE "${SRC_DIR}" "${SRC_DIR}/*.h" "${SRC_DIR}/*.cpp")
list(SORT sources)

set(faults "")
foreach(source IN LISTS sources)
    string(REGEX MATCH "^[^/]+" folder "${source}")
    list(FIND layers "${folder}" rank)
    file(STRINGS "${SRC_DIR}/${source}" includes REGEX "^[ \t]*#[ \t]*include")
    foreach(line IN LISTS includes)
        string(REGEX MATCH "[<\"][^>\"]*[>\"]" included "${line}")
        # SDL headers, with or without the SDL2/ prefix, only in src/platform.
        if(NOT folder STREQUAL "platform" AND included MATCHES "^[<\"](SDL2/)?SDL")
            list(APPEND faults "${source}: includes ${included}: only src/platform may use SDL")
        endif()
        if(rank EQUAL -1 OR NOT included MATCHES "^\"([^/\"]+)/")
            continue()
        endif()
        set(target "${CMAKE_MATCH_1}")
        list(FIND layers "${target}" target_rank)
        if(target_rank GREATER rank)
            list(APPEND faults
                 "${source}: includes ${included}: ${folder} sits below ${target} and may not include it")
        elseif(folder STREQUAL "core" AND NOT target STREQUAL "core")
            list(APPEND faults "${source}: includes ${included}: core includes no other folder")
        endif()
    endforeach()
endforeach()

if(faults)
    # One plain line per fault (FATAL_ERROR would re-wrap them).
    foreach(fault IN LISTS faults)
        message(NOTICE "${fault}")
    endforeach()
    list(LENGTH faults count)
    message(FATAL_ERROR "layering_check: ${count} include(s) against the layers "
                        "app -> presentation -> persist -> session -> ai -> rules -> motion -> core")
endif()
list(LENGTH sources checked)
message(STATUS "layering_check: ${checked} files follow the layers")
