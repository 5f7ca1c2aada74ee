# GoogleTest from Debian's sources, built with the project's own flags (and so with the sanitizers
# or the MinGW cross compiler when those are in use).
set(MEPU_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(${MEPU_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
include(GoogleTest)

# mepu_add_test(NAME SOURCES... LIBS ...): a GoogleTest program registered with CTest.
function(mepu_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  mepu_target_defaults(${name})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main GTest::gmock)
  # Each test carries its program's name as a label, so a preset can pick programs.
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 120 PROPERTIES TIMEOUT 300 LABELS ${name})
endfunction()

# mepu_add_qt_test(NAME SOURCES... LIBS ...): a GoogleTest program of Qt widgets, whose main
# (tests/support/qt_test_main.cpp) makes the application on the offscreen platform first.
function(mepu_add_qt_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES} ${PROJECT_SOURCE_DIR}/tests/support/qt_test_main.cpp)
  mepu_target_defaults(${name})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} Qt6::Test GTest::gtest)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 120 PROPERTIES TIMEOUT 120 LABELS ${name}
                       ENVIRONMENT QT_QPA_PLATFORM=offscreen)
endfunction()
