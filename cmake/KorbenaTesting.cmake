# Headless Qt tests: every test program runs on the offscreen platform, and the
# sanitizer build reads the leak suppressions for the font caches.
set(KORBENA_TEST_ENV
    "QT_QPA_PLATFORM=offscreen"
    "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp:print_suppressions=0"
    "ASAN_OPTIONS=detect_leaks=1:abort_on_error=0"
    "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")

# korbena_add_test_suite(NAME FOLDER): one GoogleTest program of all the .cpp
# files under tests/FOLDER, registered with ctest under the label FOLDER.
function(korbena_add_test_suite name folder)
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp)
    if(NOT sources)
        return()
    endif()
    add_executable(${name} ${sources})
    target_link_libraries(${name} PRIVATE korbena_testmain korbena_cli korbena_core GTest::gtest)
    add_test(NAME ${name} COMMAND ${name} --gtest_color=no)
    set_tests_properties(${name} PROPERTIES LABELS "${folder}" ENVIRONMENT "${KORBENA_TEST_ENV}")
endfunction()

# korbena_add_widget_test_suite(NAME FOLDER [EXTRA_LIBS...]): like korbena_add_test_suite
# for widget tests: the test main creates a QApplication on the offscreen platform, the
# program links Qt's test helpers, and pictures for review go to the build folder's
# artifacts folder (KORBENA_ARTIFACTS_DIR). Only built with the desktop program.
function(korbena_add_widget_test_suite name folder)
    if(NOT KORBENA_BUILD_GUI)
        return()
    endif()
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp)
    if(NOT sources)
        return()
    endif()
    add_executable(${name} ${sources})
    target_link_libraries(${name} PRIVATE korbena_widget_testmain ${ARGN} korbena_core Qt6::Widgets Qt6::Test
                                          GTest::gtest)
    add_test(NAME ${name} COMMAND ${name} --gtest_color=no)
    set_tests_properties(${name} PROPERTIES LABELS "${folder}" ENVIRONMENT "${KORBENA_TEST_ENV}")
endfunction()
