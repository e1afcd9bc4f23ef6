# SPDX-FileCopyrightText: 2026 The cellcounters developers
#
# SPDX-License-Identifier: LGPL-2.1-or-later

# Package config for find_package(cellcounters) and a pkg-config file
# (cellcounters6 for both in the Qt 6 build, with targets cellcounters6::<library>).
set(_package ${CELLCOUNTERS_PACKAGE_NAME})
set(CELLCOUNTERS_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/${_package})
install(EXPORT cellcountersTargets
    NAMESPACE ${_package}::
    FILE ${_package}Targets.cmake
    DESTINATION ${CELLCOUNTERS_CMAKE_DIR}
    COMPONENT development)
configure_package_config_file(cmake/cellcountersConfig.cmake.in
    ${CMAKE_CURRENT_BINARY_DIR}/${_package}Config.cmake
    INSTALL_DESTINATION ${CELLCOUNTERS_CMAKE_DIR})
# The version file comes from ecm_setup_version() in src/.
install(FILES
    ${CMAKE_CURRENT_BINARY_DIR}/${_package}Config.cmake
    ${CMAKE_CURRENT_BINARY_DIR}/${_package}ConfigVersion.cmake
    DESTINATION ${CELLCOUNTERS_CMAKE_DIR}
    COMPONENT development)

# The .pc file finds its prefix from its own location, so that an install with
# "cmake --install --prefix <dir>" (or a moved tree) still points at itself.
set(CELLCOUNTERS_PC_DIR ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
file(RELATIVE_PATH CELLCOUNTERS_PC_TO_PREFIX "/prefix/${CELLCOUNTERS_PC_DIR}" "/prefix")
file(RELATIVE_PATH CELLCOUNTERS_PC_INCLUDE_SUBDIR "/prefix/${CMAKE_INSTALL_INCLUDEDIR}"
    "/prefix/${CELLCOUNTERS_INCLUDE_INSTALL_DIR}")
set(CELLCOUNTERS_PC_LIBS "-L\${libdir}")
set(CELLCOUNTERS_PC_CFLAGS "")
foreach(lib cellcounters vcp cellular lotoolkit loconfig)
    string(APPEND CELLCOUNTERS_PC_LIBS " -l${lib}${CELLCOUNTERS_NAME_SUFFIX}")
endforeach()
foreach(lib cellcounters lotoolkit loconfig vcp cellular)
    if(CELLCOUNTERS_PC_INCLUDE_SUBDIR)
        string(APPEND CELLCOUNTERS_PC_CFLAGS " -I\${includedir}/${CELLCOUNTERS_PC_INCLUDE_SUBDIR}/${lib}")
    else()
        string(APPEND CELLCOUNTERS_PC_CFLAGS " -I\${includedir}/${lib}")
    endif()
endforeach()
string(STRIP "${CELLCOUNTERS_PC_CFLAGS}" CELLCOUNTERS_PC_CFLAGS)
configure_file(cmake/cellcounters.pc.in ${CMAKE_CURRENT_BINARY_DIR}/${_package}.pc @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${_package}.pc
    DESTINATION ${CELLCOUNTERS_PC_DIR}
    COMPONENT development)
