# SPDX-FileCopyrightText: 2026 The cellcounters developers
#
# SPDX-License-Identifier: LGPL-2.1-or-later

# The settings module kcm_cellcounters, for whichever frameworks of the Qt major
# are found: KF5 KCMUtils and Declarative with Qt 5, KF6 KCMUtils with Qt 6.
# Sets CELLCOUNTERS_KCM (ON when built) and CELLCOUNTERS_KCM_STATUS (one line).
option(CELLCOUNTERS_BUILD_KCM "Build the settings module where its frameworks are found" ON)

set(CELLCOUNTERS_KCM OFF)
if(QT_MAJOR_VERSION EQUAL 6)
    set(_kcm_kf KF6)
    set(_kcm_missing_hint "libkf6kcmutils-dev")
else()
    set(_kcm_kf KF5)
    set(_kcm_missing_hint "libkf5kcmutils-dev, libkf5declarative-dev")
endif()

# KF5 Package's macros, found with KCMUtils, include KDEInstallDirs, which moves a
# default prefix to ECM's own (/usr): the rest of the tree keeps the one it had.
set(_kcm_prefix "${CMAKE_INSTALL_PREFIX}")
if(NOT CELLCOUNTERS_BUILD_KCM)
    set(CELLCOUNTERS_KCM_STATUS "skipped ${_kcm_kf}: CELLCOUNTERS_BUILD_KCM is OFF")
elseif(QT_MAJOR_VERSION EQUAL 6)
    find_package(Qt6 ${QT_MIN_VERSION} QUIET COMPONENTS Qml Quick)
    find_package(KF6KCMUtils QUIET)
    if(KF6KCMUtils_FOUND AND Qt6Quick_FOUND)
        set(CELLCOUNTERS_KCM ON)
    endif()
else()
    find_package(Qt5 ${QT_MIN_VERSION} QUIET COMPONENTS Qml Quick)
    find_package(KF5KCMUtils QUIET)
    find_package(KF5Declarative QUIET)
    if(KF5KCMUtils_FOUND AND KF5Declarative_FOUND AND Qt5Quick_FOUND)
        set(CELLCOUNTERS_KCM ON)
    endif()
endif()
if(NOT CMAKE_INSTALL_PREFIX STREQUAL _kcm_prefix)
    set(CMAKE_INSTALL_PREFIX "${_kcm_prefix}" CACHE PATH "Install path prefix, prepended onto install directories." FORCE)
endif()
if(CELLCOUNTERS_KCM)
    set(CELLCOUNTERS_KCM_STATUS "built ${_kcm_kf} (Qt ${QT_MAJOR_VERSION})")
elseif(CELLCOUNTERS_BUILD_KCM)
    set(CELLCOUNTERS_KCM_STATUS "skipped ${_kcm_kf}: not found (${_kcm_missing_hint})")
endif()
message(STATUS "Settings module: ${CELLCOUNTERS_KCM_STATUS}")
# scripts/test reads it back from the cache.
set(CELLCOUNTERS_KCM_STATUS "${CELLCOUNTERS_KCM_STATUS}" CACHE INTERNAL "What became of the settings module")

if(CELLCOUNTERS_KCM)
    # Qt's plugin folder below the prefix, where the settings applications look.
    include(ECMQueryQt)
    ecm_query_qt(_qt_plugins QT_INSTALL_PLUGINS)
    ecm_query_qt(_qt_prefix QT_INSTALL_PREFIX)
    file(RELATIVE_PATH CELLCOUNTERS_QT_PLUGIN_INSTALL_DIR "${_qt_prefix}" "${_qt_plugins}")
    # The build tree mirrors it, so that the tests run the module without an install.
    set(CELLCOUNTERS_PLUGIN_BUILD_DIR "${CMAKE_BINARY_DIR}/plugins")
    set(CELLCOUNTERS_DATA_BUILD_DIR "${CMAKE_BINARY_DIR}/share")
endif()
