# Run after a test program is built (see gtest_suites.cmake): lists its test
# cases and writes one add_test per suite, or per shard of a large suite.
#   -D TEST_EXECUTABLE=... -D CTEST_FILE=... -D PREFIX=... [-D FILTER=...]
set(kCasesPerShard 60)
set(list_args --gtest_list_tests)
if(FILTER)
  list(APPEND list_args "--gtest_filter=${FILTER}")
endif()
execute_process(COMMAND ${TEST_EXECUTABLE} ${list_args}
  OUTPUT_VARIABLE listed ERROR_VARIABLE errors RESULT_VARIABLE failed TIMEOUT 300)
if(failed)
  file(REMOVE ${CTEST_FILE})
  message(FATAL_ERROR "${TEST_EXECUTABLE} could not list its tests (${failed}):\n${listed}\n${errors}")
endif()

# "Suite." lines, each followed by its cases indented; parameters and types
# come after a '#'.
string(REPLACE ";" "\\;" listed "${listed}")
string(REPLACE "\n" ";" lines "${listed}")
set(suites "")
set(suite "")
foreach(line IN LISTS lines)
  string(REGEX REPLACE " *#.*" "" line "${line}")
  if(line STREQUAL "")
    continue()
  endif()
  if(line MATCHES "^  +(.+)$")
    list(APPEND cases_${suite} "${CMAKE_MATCH_1}")
  elseif(line MATCHES "^(.+)\\.$")
    set(suite "${CMAKE_MATCH_1}")
    list(APPEND suites "${suite}")
    set(cases_${suite} "")
  endif()
endforeach()

set(out "# Written by gtest_suites_list.cmake from ${TEST_EXECUTABLE} --gtest_list_tests\n")
foreach(suite IN LISTS suites)
  list(LENGTH cases_${suite} count)
  if(FILTER)
    # Only the listed cases of the suite.
    list(TRANSFORM cases_${suite} PREPEND "${suite}.")
    list(JOIN cases_${suite} ":" filter)
  else()
    set(filter "${suite}.*")
  endif()
  math(EXPR shards "(${count} + ${kCasesPerShard} - 1) / ${kCasesPerShard}")
  if(shards LESS_EQUAL 1)
    string(APPEND out "add_test([==[${PREFIX}/${suite}]==] [==[${TEST_EXECUTABLE}]==] [==[--gtest_filter=${filter}]==])\n")
  else()
    # gtest's own sharding: each shard runs every n-th case of the suite.
    math(EXPR last "${shards} - 1")
    foreach(index RANGE ${last})
      math(EXPR number "${index} + 1")
      set(name "${PREFIX}/${suite}/${number}of${shards}")
      string(APPEND out "add_test([==[${name}]==] [==[${TEST_EXECUTABLE}]==] [==[--gtest_filter=${filter}]==])\n"
        "set_tests_properties([==[${name}]==] PROPERTIES ENVIRONMENT "
        "[==[GTEST_TOTAL_SHARDS=${shards};GTEST_SHARD_INDEX=${index}]==])\n")
    endforeach()
  endif()
endforeach()
file(WRITE ${CTEST_FILE} "${out}")
