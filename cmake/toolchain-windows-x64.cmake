set(ZEV_WIN_TRIPLE x86_64-pc-windows-msvc)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-windows.cmake)
