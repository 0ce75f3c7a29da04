# Every library of src/ is made by one of the functions below, which note its kind
# (core or ui) and folder for the layer check (kv_write_library_list).
function(kv_note_library name kind)
  file(RELATIVE_PATH folder ${CMAKE_SOURCE_DIR}/src ${CMAKE_CURRENT_SOURCE_DIR})
  set_property(GLOBAL APPEND PROPERTY KV_LIBRARIES "${name}|${kind}|${folder}")
endfunction()

# kv_core_library(name [SHARED] SOURCES ... DEPENDS ...): a library of plain C++ (no
# Qt), static unless SHARED. A library whose globals the program and the shared
# finite-element library must both see (the error channel, open files) is SHARED,
# so that each global exists once in the process.
function(kv_core_library name)
  cmake_parse_arguments(ARG "SHARED" "" "SOURCES;DEPENDS" ${ARGN})
  if(ARG_SHARED)
    add_library(${name} SHARED ${ARG_SOURCES})
  else()
    add_library(${name} STATIC ${ARG_SOURCES})
  endif()
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPENDS})
  # Core code must stay free of Qt: fail the build if a Qt header sneaks in.
  set_target_properties(${name} PROPERTIES AUTOMOC OFF)
  kv_note_library(${name} core)
endfunction()

# kv_header_library(name HEADERS ... DEPENDS ...): plain C++ headers only (no Qt).
function(kv_header_library name)
  cmake_parse_arguments(ARG "" "" "HEADERS;DEPENDS" ${ARGN})
  add_library(${name} INTERFACE ${ARG_HEADERS})
  target_include_directories(${name} INTERFACE ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(${name} INTERFACE ${ARG_DEPENDS})
  kv_note_library(${name} core)
endfunction()

# kv_ui_library(name SOURCES ... DEPENDS ...): a static library of Qt widgets.
function(kv_ui_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPENDS} Qt6::Widgets)
  kv_note_library(${name} ui)
endfunction()

# Writes <build>/layers/libraries.txt: one line per library of src/,
# "name|kind|folder|file;file;..." (files relative to src/), for scripts/check-layers.
function(kv_write_library_list)
  get_property(libraries GLOBAL PROPERTY KV_LIBRARIES)
  # Libraries of src/ made with plain add_library are listed as kind "none", so the
  # check names them instead of passing them by.
  set(noted "")
  foreach(entry IN LISTS libraries)
    string(REGEX REPLACE "\\|.*" "" name "${entry}")
    list(APPEND noted ${name})
  endforeach()
  set(folders ${CMAKE_SOURCE_DIR})
  while(folders)
    list(POP_FRONT folders dir)
    get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
    list(APPEND folders ${subdirs})
    string(FIND "${dir}/" "${CMAKE_SOURCE_DIR}/src/" at)
    if(NOT at EQUAL 0)
      continue()
    endif()
    get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target IN LISTS targets)
      get_target_property(type ${target} TYPE)
      if(type MATCHES "LIBRARY$" AND NOT target IN_LIST noted)
        file(RELATIVE_PATH folder ${CMAKE_SOURCE_DIR}/src ${dir})
        list(APPEND libraries "${target}|none|${folder}")
      endif()
    endforeach()
  endwhile()
  set(text "")
  foreach(entry IN LISTS libraries)
    string(REPLACE "|" ";" fields "${entry}")
    list(GET fields 0 name)
    list(GET fields 2 folder)
    get_target_property(sources ${name} SOURCES)
    if(NOT sources)
      get_target_property(sources ${name} INTERFACE_SOURCES)
    endif()
    set(files "")
    foreach(source IN LISTS sources)
      if(NOT IS_ABSOLUTE ${source})
        set(source ${CMAKE_SOURCE_DIR}/src/${folder}/${source})
      endif()
      file(RELATIVE_PATH relative ${CMAKE_SOURCE_DIR}/src ${source})
      list(APPEND files ${relative})
    endforeach()
    string(APPEND text "${entry}|${files}\n")
  endforeach()
  file(WRITE ${CMAKE_BINARY_DIR}/layers/libraries.txt "${text}")
  # One graph file, not one per target.
  file(WRITE ${CMAKE_BINARY_DIR}/CMakeGraphVizOptions.cmake
       "set(GRAPHVIZ_GENERATE_PER_TARGET FALSE)\nset(GRAPHVIZ_GENERATE_DEPENDERS FALSE)\n")
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
