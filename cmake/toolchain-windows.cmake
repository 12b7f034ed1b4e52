# Cross-build for Windows with clang in MSVC mode and lld, without any
# Windows SDK or C runtime. ZEV_WIN_TRIPLE is set by the arch-specific
# toolchain files.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET ${ZEV_WIN_TRIPLE})
set(CMAKE_CXX_COMPILER_TARGET ${ZEV_WIN_TRIPLE})
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)
set(CMAKE_C_STANDARD_LIBRARIES "" CACHE STRING "" FORCE)
set(CMAKE_CXX_STANDARD_LIBRARIES "" CACHE STRING "" FORCE)
set(CMAKE_AR llvm-ar CACHE FILEPATH "")
set(CMAKE_RC_COMPILER llvm-rc CACHE FILEPATH "")
# No C runtime: keep CMake from selecting one.
set(CMAKE_MSVC_RUNTIME_LIBRARY "")
