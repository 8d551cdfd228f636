# Shared build rules: one static library per source folder, warnings on, and one
# GoogleTest executable per test folder.

set(FW_WARNINGS -Wall -Wextra -Wpedantic -Wno-unused-parameter)

# fw_add_library(<target> [DEPS <targets...>])
# Builds every .cpp of the current folder into a static library; a folder without
# sources yet becomes an interface library so that dependents still link.
function(fw_add_library target)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  if(sources)
    add_library(${target} STATIC ${sources} ${headers})
    target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR}/generated)
    target_compile_options(${target} PRIVATE ${FW_WARNINGS})
    target_link_libraries(${target} PUBLIC ${ARG_DEPS})
  else()
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR}/generated)
    target_link_libraries(${target} INTERFACE ${ARG_DEPS})
  endif()
endfunction()

# fw_add_tests(<name> [RECURSE] DEPS <targets...>)
# One test executable from every .cpp of the current test folder (and of its subfolders
# with RECURSE); each GoogleTest case becomes a CTest test that runs on the offscreen Qt
# platform.
function(fw_add_tests name)
  cmake_parse_arguments(ARG "RECURSE" "" "DEPS" ${ARGN})
  if(ARG_RECURSE)
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  else()
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  endif()
  if(NOT sources)
    return()
  endif()
  add_executable(test_${name} ${sources})
  set_target_properties(test_${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_compile_options(test_${name} PRIVATE ${FW_WARNINGS})
  target_link_libraries(test_${name} PRIVATE ${ARG_DEPS} fw_test_support GTest::gtest GTest::gmock)
  add_dependencies(test_${name} fw_program_folder)
  # The test environment (offscreen platform, program folder, no opening of files) is
  # set by the shared test main, so the tests behave the same under CTest and alone.
  gtest_discover_tests(test_${name} DISCOVERY_MODE PRE_TEST)
endfunction()
