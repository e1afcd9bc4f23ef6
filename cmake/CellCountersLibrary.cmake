# cellcounters_add_library(<target> EXPORT_MACRO_NAME <prefix> [SOURCES ...] [SUBDIRS dir...]
#                          [PUBLIC_LIBS ...] [PRIVATE_LIBS ...])
#
# Creates a versioned shared library from SOURCES and from the *.cpp files of each
# listed sub-directory, so adding a class never means editing a build file. A
# sub-directory that needs more (generated sources, extra links) may also have a
# CMakeLists.txt of its own. Every sub-directory is on the include path, so
# headers are included by file name.
# Public headers are the *.h files of the sub-directories; they are installed
# flat into include/<target>/ together with the generated export header.
function(cellcounters_add_library target)
    cmake_parse_arguments(L "" "EXPORT_MACRO_NAME" "SOURCES;SUBDIRS;PUBLIC_LIBS;PRIVATE_LIBS" ${ARGN})
    set(sources ${L_SOURCES})
    foreach(dir IN LISTS L_SUBDIRS)
        file(GLOB dir_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.cpp)
        list(APPEND sources ${dir_sources})
    endforeach()
    list(REMOVE_DUPLICATES sources)
    add_library(${target} SHARED ${sources})
    set_target_properties(${target} PROPERTIES
        VERSION ${PROJECT_VERSION}
        SOVERSION ${PROJECT_VERSION_MAJOR}
        # The libraries need each other; installed side by side, each finds
        # its siblings wherever the tree was installed or moved to.
        INSTALL_RPATH "$ORIGIN"
        EXPORT_NAME ${target})
    generate_export_header(${target}
        BASE_NAME ${L_EXPORT_MACRO_NAME}
        EXPORT_FILE_NAME ${CMAKE_CURRENT_BINARY_DIR}/${target}_export.h)
    target_include_directories(${target} PUBLIC
        $<BUILD_INTERFACE:${CMAKE_CURRENT_BINARY_DIR}>
        $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}/${target}>)
    set(headers ${CMAKE_CURRENT_BINARY_DIR}/${target}_export.h)
    foreach(dir IN LISTS L_SUBDIRS)
        set(path ${CMAKE_CURRENT_SOURCE_DIR}/${dir})
        target_include_directories(${target} PUBLIC $<BUILD_INTERFACE:${path}>)
        if(NOT dir STREQUAL "." AND EXISTS ${path}/CMakeLists.txt)
            add_subdirectory(${dir})
        endif()
        file(GLOB dir_headers CONFIGURE_DEPENDS ${path}/*.h)
        list(APPEND headers ${dir_headers})
    endforeach()
    target_link_libraries(${target} PUBLIC ${L_PUBLIC_LIBS} PRIVATE ${L_PRIVATE_LIBS})
    install(TARGETS ${target} EXPORT cellcountersTargets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT runtime NAMELINK_COMPONENT development
        INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/${target})
    install(FILES ${headers} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/${target} COMPONENT development)
endfunction()
