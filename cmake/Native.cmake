# Native (Linux) build: the three libraries as shared objects, the
# simulated driver as libftd2xx.so, the demo and the tests.

set(CMAKE_POSITION_INDEPENDENT_CODE ON)
set(CMAKE_CXX_VISIBILITY_PRESET hidden)
set(CMAKE_VISIBILITY_INLINES_HIDDEN ON)

# The simulated driver. Named like the vendor's Linux driver library, so
# that the libraries link against "ftd2xx" whichever one is present.
add_library(ftd2xx SHARED sim/sim.cpp src/link/platform_posix.cpp)
target_compile_definitions(ftd2xx PRIVATE ZEV_BUILDING_DRIVER)
target_include_directories(ftd2xx PUBLIC sim)
zev_warnings(ftd2xx)

# The driver the native libraries link against: the simulator by default,
# or a vendor library given as ZEV_D2XX_LIBRARY.
set(ZEV_D2XX_LIBRARY ftd2xx CACHE STRING "Library providing the ten driver operations")

add_library(zev_core STATIC ${ZEV_CORE_SOURCES} src/link/platform_posix.cpp)
target_include_directories(zev_core PUBLIC include)
target_compile_definitions(zev_core PUBLIC ZEV_BUILDING_LIBRARY)
target_link_libraries(zev_core PUBLIC ${ZEV_D2XX_LIBRARY})
zev_warnings(zev_core)


option(ZEV_FUZZ "Build only the library and the fuzz targets" OFF)
if(ZEV_FUZZ)
  add_subdirectory(tests/fuzz)
  return()
endif()

# The three libraries, natively: the same core with each plug-in variant.
include(cmake/Hosts.cmake)
find_package(Threads REQUIRED)
foreach(lib ZUVIVID DIDOVUR6 DADADAZ4)
  string(TOLOWER ${lib} name)
  add_library(${name} SHARED ${ZEV_CORE_SOURCES} src/link/platform_posix.cpp
                             src/plugin/plugin.cpp)
  target_include_directories(${name} PUBLIC include)
  target_compile_definitions(${name} PRIVATE ZEV_BUILDING_LIBRARY ZEV_VARIANT_${lib})
  target_link_libraries(${name} PRIVATE ${ZEV_D2XX_LIBRARY})
  zev_warnings(${name})

  set(io ${ZEV_HOST_DIR}/host_io_posix.cpp src/link/platform_posix.cpp)
  add_executable(demo_${name} tools/demo.cpp ${ZEV_HOST_COMMON} ${io})
  add_executable(host_${name} ${ZEV_HOST_TESTS} ${ZEV_HOST_DIR}/api_linked.cpp
                              ${ZEV_HOST_COMMON} ${io})
  foreach(exe demo_${name} host_${name})
    zev_variant_definitions(${exe} ${lib})
    target_link_libraries(${exe} PRIVATE ${name} ftd2xx Threads::Threads)
    zev_warnings(${exe})
  endforeach()
  if(BUILD_TESTING)
    add_test(NAME host.${lib} COMMAND host_${name})
  endif()
endforeach()

if(BUILD_TESTING)
  add_subdirectory(tests)
  # The sources follow .clang-format.
  find_program(ZEV_CLANG_FORMAT clang-format)
  if(ZEV_CLANG_FORMAT)
    file(GLOB_RECURSE zev_format_sources CONFIGURE_DEPENDS
         ${PROJECT_SOURCE_DIR}/include/*.h ${PROJECT_SOURCE_DIR}/src/*.cpp
         ${PROJECT_SOURCE_DIR}/src/*.h ${PROJECT_SOURCE_DIR}/sim/*.cpp
         ${PROJECT_SOURCE_DIR}/sim/*.h ${PROJECT_SOURCE_DIR}/tests/*.cpp
         ${PROJECT_SOURCE_DIR}/tests/*.h ${PROJECT_SOURCE_DIR}/tools/*.cpp)
    add_test(NAME format COMMAND ${ZEV_CLANG_FORMAT} --dry-run --Werror ${zev_format_sources})
  endif()
endif()
