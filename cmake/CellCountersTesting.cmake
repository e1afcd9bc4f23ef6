# cellcounters_add_test(<name> SOURCES ... [LIBS ...])
#
# A QtTest binary run by CTest inside its own private D-Bus session with a
# temporary HOME (scripts/run-isolated), so that the configuration store it
# writes is thrown away and never a developer's own. Headless by default.
function(cellcounters_add_test name)
    cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 120)
    endif()
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE Qt5::Test ${T_LIBS})
    add_test(NAME ${name}
        COMMAND ${PROJECT_SOURCE_DIR}/scripts/run-isolated $<TARGET_FILE:${name}>)
    set_tests_properties(${name} PROPERTIES
        TIMEOUT ${T_TIMEOUT}
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LOTOOLKIT_TRANSLATIONS_DIR=${CELLCOUNTERS_TRANSLATIONS_BUILD_DIR};LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp:print_suppressions=0;UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
endfunction()

# cellcounters_add_tests([LIBS ...] [TIMEOUT s])
#
# One test per tst_*.cpp file of the calling folder, linked to the library and
# the shared test helpers, so that a new test needs no build file edit.
function(cellcounters_add_tests)
    cmake_parse_arguments(T "" "TIMEOUT" "LIBS" ${ARGN})
    file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tst_*.cpp)
    set(libs cellcounters ${T_LIBS})
    if(TARGET cellcounters_testsupport)
        list(APPEND libs cellcounters_testsupport)
    endif()
    foreach(source IN LISTS tests)
        get_filename_component(name ${source} NAME_WE)
        cellcounters_add_test(${name} SOURCES ${source} LIBS ${libs} TIMEOUT ${T_TIMEOUT})
    endforeach()
endfunction()
