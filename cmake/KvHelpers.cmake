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
# with the offscreen Qt platform and the C numeric locale. Every test gets the
# shared helpers of tests/support; a test of Qt code also the application object.
function(kv_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  set(support kv_test_support)
  foreach(dep IN LISTS ARG_DEPENDS)
    if(TARGET ${dep} AND TARGET kv_test_support_ui)
      get_target_property(dep_libs ${dep} LINK_LIBRARIES)
      if(dep MATCHES "^Qt6::" OR "Qt6::Widgets" IN_LIST dep_libs)
        set(support kv_test_support_ui)
      endif()
    endif()
  endforeach()
  target_link_libraries(${name} PRIVATE ${ARG_DEPENDS} ${support} GTest::gtest GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE KV_TEST_FIXTURES="${CMAKE_SOURCE_DIR}/tests/fixtures")
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
