set(ZEV_WIN_TRIPLE i686-pc-windows-msvc)
set(CMAKE_SYSTEM_PROCESSOR x86)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-windows.cmake)
