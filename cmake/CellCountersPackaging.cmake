# SPDX-FileCopyrightText: 2026 The cellcounters developers
#
# SPDX-License-Identifier: LGPL-2.1-or-later

# Debian packages made with `cpack -G DEB` from a build configured with
# -DCMAKE_INSTALL_PREFIX=/usr (the toolkit finds its catalogs under the prefix
# that was compiled in, so the packages install exactly there):
#   libcellcounters1      runtime: the shared libraries and the English catalogs
#   libcellcounters-dev   development: headers, CMake package config, pkg-config file
#   cellcounters-demo     the demo host, the traffic simulator, the simulated modem and the store writer
#   cellcounters-notifier the data limit notifier, its catalog and its autostart entry
#   cellcounters-meter    the meter, its autostart entry and its systemd user unit
# The Qt 6 build makes only the library's two, named to install beside the Qt 5
# ones: libcellcounters6-1 and libcellcounters6-dev.
# Where the settings module is built, each build also makes its package of it:
#   cellcounters-kcm      the KF6 module (Qt 6 build), for kcmshell6 and the settings applications
#   cellcounters-kcm5     the KF5 module (Qt 5 build), for kcmshell5
# Their files differ (Qt's plugin folder of each major), so both install together.
# The QML module org.cellcounters that they show is a package of its own, named
# as Debian names QML modules: qml-module-org-cellcounters (Qt 5) and
# qml6-module-org-cellcounters (Qt 6); other Qt Quick hosts need it alone.
set(CPACK_PACKAGE_NAME ${CELLCOUNTERS_PACKAGE_NAME})
set(CPACK_PACKAGE_VENDOR "cellcounters developers")
set(CPACK_PACKAGE_CONTACT "cellcounters developers <cellcounters@localhost>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Cellular data counters and call timers pages for a phone's settings")
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_GENERATOR DEB)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL runtime development)
if(TARGET cellcountersqmlplugin)
    list(APPEND CPACK_COMPONENTS_ALL qml)
endif()
if(CELLCOUNTERS_KCM)
    list(APPEND CPACK_COMPONENTS_ALL kcm)
endif()
if(CELLCOUNTERS_INSTALL_PROGRAMS)
    list(APPEND CPACK_COMPONENTS_ALL notifier meter)
    if(TARGET cellcounters-demo)
        list(APPEND CPACK_COMPONENTS_ALL demo)
    endif()
endif()

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Library dependencies come from dpkg-shlibdeps; our own libraries ship together
# in the runtime package, so their build folders are where it finds them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS
    ${CMAKE_BINARY_DIR}/src
    ${CMAKE_BINARY_DIR}/src/platform/config
    ${CMAKE_BINARY_DIR}/src/platform/toolkit
    ${CMAKE_BINARY_DIR}/src/platform/vcp
    ${CMAKE_BINARY_DIR}/src/platform/cellular)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)

set(_version "${PROJECT_VERSION}")
# Debian's rule for a library name ending in a digit: a dash before the SONAME's.
if(CELLCOUNTERS_NAME_SUFFIX)
    set(_runtime_package lib${CELLCOUNTERS_PACKAGE_NAME}-${PROJECT_VERSION_MAJOR})
else()
    set(_runtime_package lib${CELLCOUNTERS_PACKAGE_NAME}${PROJECT_VERSION_MAJOR})
endif()
set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME ${_runtime_package})
# A daemon of a store built in, and the session bus that starts it, are needed at run time.
set(_store_daemons)
if(GCONF_FOUND)
    list(APPEND _store_daemons gconf2)
endif()
if(DCONF_FOUND)
    list(APPEND _store_daemons dconf-service)
endif()
list(JOIN _store_daemons " | " _store_daemons)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_DEPENDS "${_store_daemons}, dbus")
set(CPACK_DEBIAN_RUNTIME_DESCRIPTION
    "Runtime: the data counters page, its dialog and the call timers dialog of a\nphone's settings application, with the touch toolkit layer they are built on\nand the English translation catalogs.")

set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME lib${CELLCOUNTERS_PACKAGE_NAME}-dev)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
if(QT_MAJOR_VERSION EQUAL 6)
    set(_qt_dev_package qt6-base-dev)
else()
    set(_qt_dev_package qtbase5-dev)
endif()
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS "${_runtime_package} (= ${_version}), ${_qt_dev_package}, pkg-config")
set(CPACK_DEBIAN_DEVELOPMENT_DESCRIPTION
    "Development files: headers, CMake package configuration (find_package(${CELLCOUNTERS_PACKAGE_NAME})) and\npkg-config file for building a host against the library (Qt ${QT_MAJOR_VERSION}).")

set(CPACK_DEBIAN_DEMO_PACKAGE_NAME cellcounters-demo)
set(CPACK_DEBIAN_DEMO_PACKAGE_SECTION misc)
# The simulated modem is a python3-dbusmock script.
set(CPACK_DEBIAN_DEMO_PACKAGE_DEPENDS
    "${_runtime_package} (= ${_version}), ${_store_daemons}, dbus, fonts-dejavu-core, python3-dbusmock")
# With --simulate, the demo runs the meter against the simulated modem, and the notifier on its private store.
set(CPACK_DEBIAN_DEMO_PACKAGE_RECOMMENDS "cellcounters-meter (= ${_version}), cellcounters-notifier (= ${_version})")
set(CPACK_DEBIAN_DEMO_DESCRIPTION
    "Demo: cellcounters-demo shows the data counters page, its dialog or the call timers\nin a phone-sized window over a private settings store; cellcounters-simulate\nruns cellcounters-simulated-modem (NetworkManager and ModemManager on a bus of\ntheir own) and makes data traffic and calls on it, which cellcounters-meter\ncounts; cellcounters-storewriter sets, reads and lists keys of the store from a shell.")

set(CPACK_DEBIAN_NOTIFIER_PACKAGE_NAME cellcounters-notifier)
set(CPACK_DEBIAN_NOTIFIER_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_NOTIFIER_PACKAGE_DEPENDS "${_runtime_package} (= ${_version}), dbus")
# Any notification daemon of the desktop shows the warnings.
set(CPACK_DEBIAN_NOTIFIER_PACKAGE_RECOMMENDS "notification-daemon")
# The autostart entry is in /etc: the administrator's changes to it survive upgrades.
get_filename_component(_autostart_dir "${CELLCOUNTERS_AUTOSTART_INSTALL_DIR}" ABSOLUTE BASE_DIR "${CMAKE_INSTALL_PREFIX}")
file(WRITE ${CMAKE_BINARY_DIR}/notifier-control/conffiles "${_autostart_dir}/cellcounters-notifier.desktop\n")
set(CPACK_DEBIAN_NOTIFIER_PACKAGE_CONTROL_EXTRA ${CMAKE_BINARY_DIR}/notifier-control/conffiles)
set(CPACK_DEBIAN_NOTIFIER_DESCRIPTION
    "Data limit notifier: cellcounters-notifier starts with the desktop session, follows\nthe packet data counters in the settings store and posts a desktop notification\nwhen the home or roaming traffic reaches the warning limit set for it.")

set(CPACK_DEBIAN_METER_PACKAGE_NAME cellcounters-meter)
set(CPACK_DEBIAN_METER_PACKAGE_SECTION net)
set(CPACK_DEBIAN_METER_PACKAGE_DEPENDS "${_runtime_package} (= ${_version}), dbus")
# It counts what these two show; without them it waits for them.
set(CPACK_DEBIAN_METER_PACKAGE_RECOMMENDS "network-manager, modemmanager, cellcounters-notifier (= ${_version})")
file(WRITE ${CMAKE_BINARY_DIR}/meter-control/conffiles "${_autostart_dir}/cellcounters-meter.desktop\n")
set(CPACK_DEBIAN_METER_PACKAGE_CONTROL_EXTRA ${CMAKE_BINARY_DIR}/meter-control/conffiles)
set(CPACK_DEBIAN_METER_DESCRIPTION
    "Cellular counters meter: cellcounters-meter starts with the session and advances the\npacket data counters (home or roaming, from NetworkManager, ModemManager and the\nkernel's interface counters) and the call timers (from ModemManager's voice calls)\nin the settings store, so that the pages and the notifier show true values.")

# The QML module: its plugin links the runtime library; the page is built on Kirigami.
if(QT_MAJOR_VERSION EQUAL 6)
    set(CPACK_DEBIAN_QML_PACKAGE_NAME qml6-module-org-cellcounters)
    set(_qml_packages "qml6-module-org-kde-kirigami, qml6-module-qtquick-controls, qml6-module-qtquick-layouts")
else()
    set(CPACK_DEBIAN_QML_PACKAGE_NAME qml-module-org-cellcounters)
    set(_qml_packages "qml-module-org-kde-kirigami2, qml-module-qtquick-controls2, qml-module-qtquick-layouts")
endif()
set(CPACK_DEBIAN_QML_PACKAGE_SECTION kde)
set(CPACK_DEBIAN_QML_PACKAGE_DEPENDS "${_runtime_package} (= ${_version}), ${_qml_packages}")
set(CPACK_DEBIAN_QML_DESCRIPTION
    "QML module org.cellcounters (Qt ${QT_MAJOR_VERSION}): the data counters and call timers as QML\ntypes (NetworkCounters, CallTimers) and the page built on them (CountersPage).")

# The settings module and the page it shows; the KCMUtils libraries come from dpkg-shlibdeps.
if(QT_MAJOR_VERSION EQUAL 6)
    set(CPACK_DEBIAN_KCM_PACKAGE_NAME cellcounters-kcm)
    set(_kcm_qml_packages "qml6-module-org-kde-kcmutils, qml6-module-org-kde-kirigami")
    set(_kcm_frameworks KF6)
else()
    set(CPACK_DEBIAN_KCM_PACKAGE_NAME cellcounters-kcm5)
    set(_kcm_qml_packages "qml-module-org-kde-kcm, qml-module-org-kde-kirigami2")
    set(_kcm_frameworks KF5)
endif()
set(CPACK_DEBIAN_KCM_PACKAGE_SECTION kde)
if(TARGET cellcountersqmlplugin)
    set(_kcm_page_package ${CPACK_DEBIAN_QML_PACKAGE_NAME})
else()
    set(_kcm_page_package ${_runtime_package})
endif()
set(CPACK_DEBIAN_KCM_PACKAGE_DEPENDS "${_kcm_page_package} (= ${_version}), ${_kcm_qml_packages}")
# kcmshell opens it alone; the settings applications list it among their pages.
set(CPACK_DEBIAN_KCM_PACKAGE_RECOMMENDS "kde-cli-tools")
set(CPACK_DEBIAN_KCM_DESCRIPTION
    "Settings module (${_kcm_frameworks}): kcm_cellcounters shows the data counters and call\ntimers page in the desktop's or the phone's settings application, and alone with\nkcmshell${QT_MAJOR_VERSION} kcm_cellcounters.")

include(CPack)
