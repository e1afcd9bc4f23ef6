# Package config for find_package(cellcounters) and a pkg-config file.
set(CELLCOUNTERS_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/cellcounters)
install(EXPORT cellcountersTargets
    NAMESPACE cellcounters::
    DESTINATION ${CELLCOUNTERS_CMAKE_DIR}
    COMPONENT development)
configure_package_config_file(cmake/cellcountersConfig.cmake.in
    ${CMAKE_CURRENT_BINARY_DIR}/cellcountersConfig.cmake
    INSTALL_DESTINATION ${CELLCOUNTERS_CMAKE_DIR})
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/cellcountersConfigVersion.cmake
    COMPATIBILITY SameMajorVersion)
install(FILES
    ${CMAKE_CURRENT_BINARY_DIR}/cellcountersConfig.cmake
    ${CMAKE_CURRENT_BINARY_DIR}/cellcountersConfigVersion.cmake
    DESTINATION ${CELLCOUNTERS_CMAKE_DIR}
    COMPONENT development)

configure_file(cmake/cellcounters.pc.in ${CMAKE_CURRENT_BINARY_DIR}/cellcounters.pc @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/cellcounters.pc
    DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig
    COMPONENT development)
