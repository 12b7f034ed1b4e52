# Windows build: the libraries of this architecture as DLLs, the simulated
# FTD2XX.dll and the test hosts, all freestanding (no C or C++ runtime).

find_package(Python3 REQUIRED COMPONENTS Interpreter)
find_program(ZEV_DLLTOOL NAMES llvm-dlltool llvm-dlltool-14 REQUIRED)

if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(ZEV_ARCH x86)
  set(ZEV_DLLTOOL_MACHINE i386)
  set(ZEV_LIBRARIES ZUVIVID DIDOVUR6)
else()
  set(ZEV_ARCH x64)
  set(ZEV_DLLTOOL_MACHINE i386:x86-64)
  set(ZEV_LIBRARIES DADADAZ4)
endif()

add_compile_options(-ffreestanding -fno-exceptions -fno-rtti -fno-stack-protector
                    -mno-stack-arg-probe -fno-builtin)
set(ZEV_LINK_OPTIONS -fuse-ld=lld -nostdlib -Wl,/nodefaultlib)
set(ZEV_ABI ${PROJECT_SOURCE_DIR}/tools/winabi.py)
set(ZEV_GEN ${PROJECT_BINARY_DIR}/generated)
file(MAKE_DIRECTORY ${ZEV_GEN})

# zev_def(<out> <kind> [<library>]): a module-definition file from winabi.py.
function(zev_def out kind)
  set(extra "")
  if(ARGC GREATER 2)
    set(extra --dll ${ARGV2})
  endif()
  execute_process(
    COMMAND ${Python3_EXECUTABLE} ${ZEV_ABI} def ${kind} --arch ${ZEV_ARCH} ${extra} -o ${out}
    RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "winabi.py def ${kind} failed")
  endif()
endfunction()

# zev_import_lib(<target> <def>): an import library built by llvm-dlltool.
function(zev_import_lib target def)
  set(lib ${ZEV_GEN}/${target}.lib)
  add_custom_command(OUTPUT ${lib}
    COMMAND ${ZEV_DLLTOOL} -m ${ZEV_DLLTOOL_MACHINE} -k -d ${def} -l ${lib}
    DEPENDS ${def} ${ZEV_ABI} VERBATIM)
  add_custom_target(${target}_lib DEPENDS ${lib})
  add_library(${target} INTERFACE)
  add_dependencies(${target} ${target}_lib)
  target_link_libraries(${target} INTERFACE ${lib})
endfunction()

zev_def(${ZEV_GEN}/kernel32.def kernel32)
zev_def(${ZEV_GEN}/ftd2xx-imports.def ftd2xx-imports)
zev_def(${ZEV_GEN}/ftd2xx-sim.def ftd2xx-sim)
zev_import_lib(zev_kernel32 ${ZEV_GEN}/kernel32.def)
zev_import_lib(zev_ftd2xx ${ZEV_GEN}/ftd2xx-imports.def)

# The unit link and port functions, compiled once for all libraries.
add_library(zev_core OBJECT ${ZEV_CORE_SOURCES} src/link/platform_windows.cpp)
target_include_directories(zev_core PUBLIC include)
target_compile_definitions(zev_core PUBLIC ZEV_BUILDING_LIBRARY)
zev_warnings(zev_core)

foreach(lib IN LISTS ZEV_LIBRARIES)
  add_library(${lib} SHARED src/plugin/plugin.cpp src/link/dll_entry.cpp
                            $<TARGET_OBJECTS:zev_core>)
  target_include_directories(${lib} PRIVATE include)
  target_compile_definitions(${lib} PRIVATE ZEV_BUILDING_LIBRARY ZEV_VARIANT_${lib})
  set_target_properties(${lib} PROPERTIES OUTPUT_NAME ${lib} PREFIX "" SUFFIX ".dll")
  target_link_options(${lib} PRIVATE ${ZEV_LINK_OPTIONS} -Wl,/entry:zev_dll_entry)
  if(ZEV_ARCH STREQUAL "x86")
    # stdcall plug-in functions under their plain names, without the
    # leading underscore and the @N the compiler gives them.
    zev_def(${ZEV_GEN}/${lib}-plain-exports.txt plain-exports ${lib})
    file(STRINGS ${ZEV_GEN}/${lib}-plain-exports.txt plain_exports)
    foreach(option IN LISTS plain_exports)
      target_link_options(${lib} PRIVATE "-Wl,${option}")
    endforeach()
  endif()
  target_link_libraries(${lib} PRIVATE zev_ftd2xx zev_kernel32)
  zev_warnings(${lib})
endforeach()

# The simulated driver as FTD2XX.dll.
add_library(ftd2xx_sim SHARED sim/sim.cpp src/link/platform_windows.cpp src/link/dll_entry.cpp)
target_compile_definitions(ftd2xx_sim PRIVATE ZEV_BUILDING_DRIVER)
target_include_directories(ftd2xx_sim PUBLIC sim)
set_target_properties(ftd2xx_sim PROPERTIES OUTPUT_NAME FTD2XX PREFIX "" SUFFIX ".dll")
target_link_options(ftd2xx_sim PRIVATE ${ZEV_LINK_OPTIONS} -Wl,/entry:zev_dll_entry
                    -Wl,/def:${ZEV_GEN}/ftd2xx-sim.def)
target_link_libraries(ftd2xx_sim PRIVATE zev_kernel32)
zev_warnings(ftd2xx_sim)

# Test hosts and demos for each library, run under wine next to the library
# and the simulated FTD2XX.dll.
include(cmake/Hosts.cmake)
find_program(ZEV_WINE wine)
set(ZEV_WINEPREFIX "${PROJECT_SOURCE_DIR}/build/wine-prefix" CACHE PATH "wine prefix for the tests")
set(ZEV_HOST_IO ${ZEV_HOST_DIR}/host_io_windows.cpp src/link/platform_windows.cpp)

foreach(lib IN LISTS ZEV_LIBRARIES)
  # The import library a host links, from the library's own interface list.
  zev_def(${ZEV_GEN}/${lib}-import.def library ${lib})
  zev_import_lib(${lib}_imports ${ZEV_GEN}/${lib}-import.def)

  add_executable(${lib}_loaded ${ZEV_HOST_TESTS} ${ZEV_HOST_DIR}/api_loaded_windows.cpp
                               ${ZEV_HOST_COMMON} ${ZEV_HOST_IO})
  add_executable(${lib}_linked ${ZEV_HOST_TESTS} ${ZEV_HOST_DIR}/api_linked.cpp
                               ${ZEV_HOST_COMMON} ${ZEV_HOST_IO})
  add_executable(demo_${lib} tools/demo.cpp ${ZEV_HOST_COMMON} ${ZEV_HOST_IO})
  target_link_libraries(${lib}_linked PRIVATE ${lib}_imports)
  target_link_libraries(demo_${lib} PRIVATE ${lib}_imports)
  add_dependencies(${lib}_loaded ${lib})
  foreach(exe ${lib}_loaded ${lib}_linked demo_${lib})
    zev_variant_definitions(${exe} ${lib})
    target_compile_options(${exe} PRIVATE -fno-omit-frame-pointer)
    target_link_options(${exe} PRIVATE ${ZEV_LINK_OPTIONS} -Wl,/entry:host_entry
                        -Wl,/subsystem:console)
    target_link_libraries(${exe} PRIVATE ftd2xx_sim zev_kernel32)
    zev_warnings(${exe})
  endforeach()

  add_test(NAME abi.${lib}
           COMMAND ${Python3_EXECUTABLE} ${ZEV_ABI} check --dll ${lib} $<TARGET_FILE:${lib}>)
  add_test(NAME abi.${lib}.check-catches-faults
           COMMAND ${Python3_EXECUTABLE} ${ZEV_ABI} check --selftest --dll ${lib}
                   $<TARGET_FILE:${lib}>)
  foreach(kind loaded linked)
    add_test(NAME wine.${lib}.${kind} COMMAND timeout 300 ${ZEV_WINE} ${lib}_${kind}.exe
             WORKING_DIRECTORY ${PROJECT_BINARY_DIR})
    set_tests_properties(wine.${lib}.${kind} PROPERTIES
                         ENVIRONMENT "WINEPREFIX=${ZEV_WINEPREFIX};WINEDEBUG=-all")
  endforeach()
endforeach()
