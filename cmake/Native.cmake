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

add_executable(zev_demo tools/demo.cpp)
target_link_libraries(zev_demo PRIVATE zev_core ftd2xx)
zev_warnings(zev_demo)

include(CTest)
if(BUILD_TESTING)
  add_subdirectory(tests)
endif()
