# kv_core_library(name SOURCES ... DEPENDS ...): a static library of plain C++ (no Qt).
function(kv_core_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPENDS})
  # Core code must stay free of Qt: fail the build if a Qt header sneaks in.
  set_target_properties(${name} PROPERTIES AUTOMOC OFF)
endfunction()

# kv_ui_library(name SOURCES ... DEPENDS ...): a static library of Qt widgets.
function(kv_ui_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPENDS} Qt6::Widgets)
endfunction()

# kv_test(name SOURCES ... DEPENDS ...): one GoogleTest executable, run by CTest
# with the offscreen Qt platform and the C numeric locale.
function(kv_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPENDS} GTest::gtest GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE KV_TEST_FIXTURES="${CMAKE_SOURCE_DIR}/tests/fixtures")
  # Shared test helpers live in tests/support.
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
