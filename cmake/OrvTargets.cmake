# Shared build settings: one interface target carries the warnings, helpers
# declare the project's libraries, plugins and tests the same way.

add_library(orv_warnings INTERFACE)
add_library(orv::warnings ALIAS orv_warnings)
target_compile_options(orv_warnings INTERFACE
  $<$<CXX_COMPILER_ID:GNU,Clang>:-Wall -Wextra -Wpedantic -Wnon-virtual-dtor -Woverloaded-virtual>
  $<$<CXX_COMPILER_ID:GNU>:-Wshadow=local>
  $<$<AND:$<CXX_COMPILER_ID:GNU,Clang>,$<BOOL:${ORV_WERROR}>>:-Werror>)
target_compile_features(orv_warnings INTERFACE cxx_std_20)

# orv_library(<folder> SOURCES ... DEPS ...): the library of one src/ folder,
# target orv_<folder>, alias orv::<folder>, public headers under include/.
function(orv_library folder)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;PRIVATE_DEPS" ${ARGN})
  add_library(orv_${folder} STATIC ${ARG_SOURCES})
  add_library(orv::${folder} ALIAS orv_${folder})
  target_include_directories(orv_${folder} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/include)
  target_link_libraries(orv_${folder} PUBLIC orv::warnings ${ARG_DEPS} PRIVATE ${ARG_PRIVATE_DEPS})
endfunction()

# orv_plugin(<target> OUTPUT <path relative to bin without suffix> SOURCES ...):
# a run-time library with hidden symbols, placed where the program looks for it.
function(orv_plugin target)
  cmake_parse_arguments(ARG "" "OUTPUT" "SOURCES;DEPS" ${ARGN})
  add_library(${target} MODULE ${ARG_SOURCES})
  get_filename_component(out_dir "${ARG_OUTPUT}" DIRECTORY)
  get_filename_component(out_name "${ARG_OUTPUT}" NAME)
  set_target_properties(${target} PROPERTIES
    PREFIX ""
    SUFFIX ".so"
    OUTPUT_NAME "${out_name}"
    LIBRARY_OUTPUT_DIRECTORY "${ORV_BIN_DIR}/${out_dir}"
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)
  if(WIN32)
    set_target_properties(${target} PROPERTIES SUFFIX ".dll")
  endif()
  target_link_libraries(${target} PRIVATE orv::warnings orv::plugin_abi ${ARG_DEPS})
endfunction()

# orv_test(<name> SOURCES ... DEPS ... [QT]): a GoogleTest program registered
# with CTest; QT runs it on the offscreen platform.
function(orv_test name)
  cmake_parse_arguments(ARG "QT" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE orv::warnings GTest::gtest GTest::gtest_main GTest::gmock ${ARG_DEPS})
  target_compile_definitions(${name} PRIVATE
    ORV_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data"
    ORV_SHARED_TESTDATA_DIR="${PROJECT_SOURCE_DIR}/../shared/testdata"
    ORV_BIN_DIR="${ORV_BIN_DIR}")
  set(env "")
  if(ARG_QT)
    set(env "QT_QPA_PLATFORM=offscreen")
  endif()
  gtest_discover_tests(${name}
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    PROPERTIES ENVIRONMENT "${env}"
    DISCOVERY_TIMEOUT 60)
endfunction()
