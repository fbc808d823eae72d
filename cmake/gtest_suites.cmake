# One ctest test per GoogleTest suite, where gtest_discover_tests makes one
# per test case: a test program under the sanitizers costs about a second to
# start and to check for leaks at its end, and a suite's tests share what
# the suite starts once (a server, a wine prefix). A failing test case is
# still named: ctest shows the suite's output, with gtest's "[  FAILED  ]"
# line for each failing case.
#
# tav_add_gtest_suites(<target> <prefix>): after each build of <target>, its
# suites become tests named <prefix>/<suite> ("platform/Queue"); with
# TAV_TEST_FILTER set (a --gtest_filter pattern), only the matching cases.
# A suite of many cases is split into shards that run side by side
# (<prefix>/<suite>/2of3), so no one process holds up the run.
set(TAV_TEST_FILTER "" CACHE STRING "A --gtest_filter pattern: only the matching test cases become tests")
set(TAV_GTEST_SUITES_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/gtest_suites_list.cmake)

function(tav_add_gtest_suites target prefix)
  set(ctest_file ${CMAKE_CURRENT_BINARY_DIR}/${target}_suites.cmake)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -D TEST_EXECUTABLE=$<TARGET_FILE:${target}> -D CTEST_FILE=${ctest_file}
            -D PREFIX=${prefix} -D "FILTER=${TAV_TEST_FILTER}" -P ${TAV_GTEST_SUITES_SCRIPT}
    BYPRODUCTS ${ctest_file}
    VERBATIM)
  set(include_file ${CMAKE_CURRENT_BINARY_DIR}/${target}_suites_include.cmake)
  file(WRITE ${include_file}
    "if(EXISTS \"${ctest_file}\")\n"
    "  include(\"${ctest_file}\")\n"
    "else()\n"
    "  add_test(${prefix}/NOT_BUILT ${target}_NOT_BUILT)\n"
    "endif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${include_file})
endfunction()
