# Test hosts and demos: programs that use one library as a host program
# would, built for that library's variant.

# zev_variant_definitions(<target> <LIBRARY>): HOST_* for the variant.
function(zev_variant_definitions target lib)
  string(SUBSTRING ${lib} 0 1 first)
  string(SUBSTRING ${lib} 1 -1 rest)
  string(TOLOWER ${rest} rest)
  if(lib STREQUAL "ZUVIVID")
    set(channel 0)
  else()
    set(channel 1)
  endif()
  target_compile_definitions(${target} PRIVATE HOST_LIBRARY="${lib}" HOST_PREFIX=${first}${rest}
                             HOST_HAS_CHANNEL=${channel} HOST_${lib})
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/include
                             ${PROJECT_SOURCE_DIR}/sim)
endfunction()

set(ZEV_HOST_DIR ${PROJECT_SOURCE_DIR}/tests/host)
set(ZEV_HOST_COMMON ${ZEV_HOST_DIR}/out.cpp)
set(ZEV_HOST_TESTS ${ZEV_HOST_DIR}/host_main.cpp ${ZEV_HOST_DIR}/host_tests.cpp
    ${ZEV_HOST_DIR}/host_concurrency.cpp ${ZEV_HOST_DIR}/calls.cpp ${ZEV_HOST_DIR}/check.cpp)
