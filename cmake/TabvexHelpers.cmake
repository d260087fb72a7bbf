# Adds every direct subfolder of the current source folder that has a CMakeLists.txt,
# so that a new module joins the build by existing.
function(tabvex_add_subdirectories)
  file(GLOB children LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR}
       CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT children)
  foreach(child IN LISTS children)
    if(IS_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/${child}
       AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${child}/CMakeLists.txt)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()

# tabvex_library(NAME [DEPS lib...]): a static core library of the .cpp files of the
# current folder, with src/ as its include root.
function(tabvex_library name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  set_property(GLOBAL APPEND PROPERTY TABVEX_CORE_LIBRARIES ${name})
endfunction()

# tabvex_test(NAME [LIBS lib...] [LABELS label...]): one GoogleTest executable of the
# *_test.cpp files of the current folder, registered with CTest (its tests carrying the
# labels, e.g. "stress"). Its main (tests/support/test_main.cpp) gives
# the tests a home folder of their own in the build tree.
function(tabvex_test name)
  cmake_parse_arguments(ARG "" "" "LIBS;LABELS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp)
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} tabvex_testsupport GTest::gtest GTest::gmock tabvex_test_main)
  set(labels)
  if(ARG_LABELS)
    set(labels LABELS "${ARG_LABELS}")
  endif()
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
                       PROPERTIES ENVIRONMENT "TABVEX_BUILD_DIR=${PROJECT_BINARY_DIR}" ${labels})
endfunction()

# tabvex_fuzzer(NAME SOURCE file LIBS lib... INPUTS dir-or-file...): a libFuzzer target,
# built only with TABVEX_FUZZ (clang), and a CTest test that runs it once over every
# file of the given inputs that exist (a missing corpus folder is skipped), followed by
# a short mutation run of 20 seconds.
function(tabvex_fuzzer name)
  cmake_parse_arguments(ARG "" "SOURCE" "LIBS;INPUTS" ${ARGN})
  if(NOT TABVEX_FUZZ)
    return()
  endif()
  add_executable(${name} ${ARG_SOURCE})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  add_test(NAME ${name}
           COMMAND ${PROJECT_SOURCE_DIR}/tests/support/run_fuzzer.sh $<TARGET_FILE:${name}> ${ARG_INPUTS})
endfunction()
