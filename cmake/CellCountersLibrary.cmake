# SPDX-FileCopyrightText: 2026 The cellcounters developers
#
# SPDX-License-Identifier: LGPL-2.1-or-later

# cellcounters_add_library(<target> EXPORT_MACRO_NAME <prefix>
#                          SOURCES <file>... [HEADERS <file>...] [INCLUDE_DIRS <dir>...]
#                          [LOGGING_CATEGORY <name>] [PUBLIC_LIBS ...] [PRIVATE_LIBS ...])
#
# A versioned shared library from SOURCES (paths relative to the calling folder).
# HEADERS are what a host needs: they are installed, with the generated export
# header <target>_export.h, into include/<target>/ (include/cellcounters6/<target>/
# in the Qt 6 build), the one include folder of the library; the file is
# lib<target>.so (lib<target>6.so in the Qt 6 build). INCLUDE_DIRS are the library's own source folders that code built
# against it in this tree includes from (default: the calling folder).
# LOGGING_CATEGORY declares the library's logging category, debug lines on by
# default, as <TARGET>_LOG in the private header <target>_debug.h.
function(cellcounters_add_library target)
    cmake_parse_arguments(L "" "EXPORT_MACRO_NAME;LOGGING_CATEGORY"
        "SOURCES;HEADERS;INCLUDE_DIRS;PUBLIC_LIBS;PRIVATE_LIBS" ${ARGN})
    add_library(${target} SHARED ${L_SOURCES})
    set_target_properties(${target} PROPERTIES
        VERSION ${PROJECT_VERSION}
        SOVERSION ${PROJECT_VERSION_MAJOR}
        # The libraries need each other; installed side by side, each finds
        # its siblings wherever the tree was installed or moved to.
        INSTALL_RPATH "$ORIGIN"
        EXPORT_NAME ${target}
        OUTPUT_NAME ${target}${CELLCOUNTERS_NAME_SUFFIX})
    generate_export_header(${target}
        BASE_NAME ${L_EXPORT_MACRO_NAME}
        EXPORT_FILE_NAME ${CMAKE_CURRENT_BINARY_DIR}/${target}_export.h)
    if(L_LOGGING_CATEGORY)
        string(TOUPPER ${target} prefix)
        ecm_qt_declare_logging_category(${target}
            HEADER ${target}_debug.h
            IDENTIFIER ${prefix}_LOG
            CATEGORY_NAME ${L_LOGGING_CATEGORY}
            DEFAULT_SEVERITY Debug)
    endif()

    if(NOT L_INCLUDE_DIRS)
        set(L_INCLUDE_DIRS .)
    endif()
    set(build_dirs ${CMAKE_CURRENT_BINARY_DIR})
    foreach(dir IN LISTS L_INCLUDE_DIRS)
        list(APPEND build_dirs ${CMAKE_CURRENT_SOURCE_DIR}/${dir})
    endforeach()
    target_include_directories(${target} PUBLIC
        "$<BUILD_INTERFACE:${build_dirs}>"
        $<INSTALL_INTERFACE:${CELLCOUNTERS_INCLUDE_INSTALL_DIR}/${target}>)
    target_link_libraries(${target} PUBLIC ${L_PUBLIC_LIBS} PRIVATE ${L_PRIVATE_LIBS})

    install(TARGETS ${target} EXPORT cellcountersTargets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT runtime NAMELINK_COMPONENT development)
    install(FILES ${L_HEADERS} ${CMAKE_CURRENT_BINARY_DIR}/${target}_export.h
        DESTINATION ${CELLCOUNTERS_INCLUDE_INSTALL_DIR}/${target}
        COMPONENT development)
endfunction()
