# SPDX-FileCopyrightText: 2026 The cellcounters developers
#
# SPDX-License-Identifier: LGPL-2.1-or-later

# cellcounters_add_test(<name> SOURCES ... [LIBS ...] [TIMEOUT s] [EVERY_STORE])
#
# A QtTest binary run by CTest inside its own private D-Bus session with a
# temporary HOME (scripts/run-isolated), so that the configuration store it
# writes is thrown away and never a developer's own. Headless by default. It
# runs on the default store backend; with EVERY_STORE also once on each other
# backend built in, as <name>_<backend>, and carries the label "store".
function(cellcounters_add_test name)
    cmake_parse_arguments(T "EVERY_STORE" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 120)
    endif()
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE Qt${QT_MAJOR_VERSION}::Test ${T_LIBS})
    list(GET LOTOOLKIT_STORES 0 default_store)
    set(stores ${default_store})
    if(T_EVERY_STORE)
        set(stores ${LOTOOLKIT_STORES})
    endif()
    set(labels)
    if(T_EVERY_STORE)
        set(labels store)
    endif()
    foreach(store IN LISTS stores)
        set(test ${name})
        if(NOT store STREQUAL default_store)
            set(test ${name}_${store})
        endif()
        add_test(NAME ${test}
            COMMAND ${PROJECT_SOURCE_DIR}/scripts/run-isolated $<TARGET_FILE:${name}>)
        set_tests_properties(${test} PROPERTIES
            TIMEOUT ${T_TIMEOUT}
            LABELS "${labels}"
            ENVIRONMENT "LOTOOLKIT_STORE=${store};QT_QPA_PLATFORM=offscreen;LOTOOLKIT_TRANSLATIONS_DIR=${CELLCOUNTERS_TRANSLATIONS_BUILD_DIR};LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp:print_suppressions=0;UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
    endforeach()
endfunction()

# cellcounters_add_tests(<name>... [LIBS ...] [TIMEOUT s] [EVERY_STORE])
#
# One test per name, built from <name>.cpp of the calling folder and linked to
# the library and the shared test helpers.
function(cellcounters_add_tests)
    cmake_parse_arguments(T "EVERY_STORE" "TIMEOUT" "LIBS" ${ARGN})
    set(every)
    if(T_EVERY_STORE)
        set(every EVERY_STORE)
    endif()
    foreach(name IN LISTS T_UNPARSED_ARGUMENTS)
        cellcounters_add_test(${name} SOURCES ${name}.cpp
            LIBS cellcounters cellcounters_testsupport ${T_LIBS} TIMEOUT ${T_TIMEOUT} ${every})
    endforeach()
endfunction()
