include(${CMAKE_CURRENT_LIST_DIR}/ZarnikForms.cmake)

# The headers that most translation units include, parsed once per target instead of once per
# source file: <windows.h> and the standard library make up most of every file's compile time.
set(ZARNIK_COMMON_HEADERS <windows.h> <functional> <string> <vector> <map> <memory> <algorithm>)

# One static library per layer, made of every source file below the layer's folder.
# New files are picked up without editing any list (CONFIGURE_DEPENDS).
function(zarnik_layer_library name)
  cmake_parse_arguments(ARG "" "" "DEPENDS;LIBS;EXCLUDE" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS
    ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.c)
  foreach(excluded ${ARG_EXCLUDE})
    list(REMOVE_ITEM sources ${CMAKE_CURRENT_SOURCE_DIR}/${excluded})
  endforeach()
  if(sources)
    add_library(${name} STATIC ${sources})
    set(scope PUBLIC)
  else()
    add_library(${name} INTERFACE)  # a layer whose first code has not arrived yet
    set(scope INTERFACE)
  endif()
  # Headers are included by file name: the layer's folder and each of its sub-folders that holds
  # code are on the path, so moving a file between them changes no #include line.
  target_include_directories(${name} ${scope} ${CMAKE_CURRENT_SOURCE_DIR})
  file(GLOB children LIST_DIRECTORIES true ${CMAKE_CURRENT_SOURCE_DIR}/*)
  foreach(child ${children})
    if(IS_DIRECTORY ${child} AND NOT child MATCHES "/(res|forms)$")
      target_include_directories(${name} ${scope} ${child})
    endif()
  endforeach()
  target_link_libraries(${name} ${scope} ${ARG_DEPENDS} ${ARG_LIBS})
  if(sources)
    target_precompile_headers(${name} PRIVATE ${ZARNIK_COMMON_HEADERS})
  endif()
endfunction()

# Gives an executable the application manifest (common controls version 6). Every program and
# test executable takes it, so that the standard controls are the same everywhere.
function(zarnik_application_manifest target)
  set(rc ${CMAKE_SOURCE_DIR}/platform/ApplicationManifest.rc)
  set_property(SOURCE ${rc} APPEND PROPERTY OBJECT_DEPENDS ${CMAKE_SOURCE_DIR}/platform/ApplicationManifest.manifest)
  target_sources(${target} PRIVATE ${rc})
endfunction()

# One test executable per layer, made of every test source below tests/<folder>.
function(zarnik_layer_tests name folder)
  cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS
    ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.rc)
  add_executable(${name} ${sources} $<TARGET_OBJECTS:zarnik_test_main>)
  foreach(source IN LISTS sources)
    if(source MATCHES "\\.rc$")
      zarnik_form_resource_depends("${source}")
    endif()
  endforeach()
  zarnik_application_manifest(${name})
  target_link_libraries(${name} PRIVATE ${ARG_DEPENDS} zarnik_testing)
  target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/support)
  # gmock first: it declares functions named like our Assert macro.
  target_precompile_headers(${name} PRIVATE ${ZARNIK_COMMON_HEADERS} <gmock/gmock.h> <gtest/gtest.h>)
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
  set_tests_properties(${name} PROPERTIES TIMEOUT 900)
endfunction()

# The editor's data (assets/textures and assets/models, made by scripts/gen-editor-data.py and
# committed) copied next to a target's executable, where the editor looks for it.
function(zarnik_editor_data target)
  file(GLOB_RECURSE data CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/assets/textures/* ${CMAKE_SOURCE_DIR}/assets/models/*)
  set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${target}-data.stamp)
  add_custom_command(OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/assets/textures $<TARGET_FILE_DIR:${target}>/textures
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/assets/models $<TARGET_FILE_DIR:${target}>/models
    COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
    DEPENDS ${data}
    COMMENT "Copying the editor's data next to ${target}")
  add_custom_target(${target}_data DEPENDS ${stamp})
  add_dependencies(${target} ${target}_data)
endfunction()
