# SPDX-FileCopyrightText: 2026 The cellcounters developers
#
# SPDX-License-Identifier: LGPL-2.1-or-later

# Package config for find_package(cellcounters) and a pkg-config file.
set(CELLCOUNTERS_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/cellcounters)
install(EXPORT cellcountersTargets
    NAMESPACE cellcounters::
    DESTINATION ${CELLCOUNTERS_CMAKE_DIR}
    COMPONENT development)
configure_package_config_file(cmake/cellcountersConfig.cmake.in
    ${CMAKE_CURRENT_BINARY_DIR}/cellcountersConfig.cmake
    INSTALL_DESTINATION ${CELLCOUNTERS_CMAKE_DIR})
# cellcountersConfigVersion.cmake comes from ecm_setup_version() in src/.
install(FILES
    ${CMAKE_CURRENT_BINARY_DIR}/cellcountersConfig.cmake
    ${CMAKE_CURRENT_BINARY_DIR}/cellcountersConfigVersion.cmake
    DESTINATION ${CELLCOUNTERS_CMAKE_DIR}
    COMPONENT development)

# The .pc file finds its prefix from its own location, so that an install with
# "cmake --install --prefix <dir>" (or a moved tree) still points at itself.
set(CELLCOUNTERS_PC_DIR ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
file(RELATIVE_PATH CELLCOUNTERS_PC_TO_PREFIX "/prefix/${CELLCOUNTERS_PC_DIR}" "/prefix")
set(CELLCOUNTERS_PC_LIBS "-lcellcounters -lvcp -lcellular -llotoolkit -lloconfig")
set(CELLCOUNTERS_PC_CFLAGS "")
foreach(lib cellcounters lotoolkit loconfig vcp cellular)
    string(APPEND CELLCOUNTERS_PC_CFLAGS " -I\${includedir}/${lib}")
endforeach()
string(STRIP "${CELLCOUNTERS_PC_CFLAGS}" CELLCOUNTERS_PC_CFLAGS)
configure_file(cmake/cellcounters.pc.in ${CMAKE_CURRENT_BINARY_DIR}/cellcounters.pc @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/cellcounters.pc
    DESTINATION ${CELLCOUNTERS_PC_DIR}
    COMPONENT development)
