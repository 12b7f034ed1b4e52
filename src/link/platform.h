// The two operating-system services the link needs while it waits for a
// reply. Each platform provides them in a file of its own
// (platform_posix.cpp, platform_windows.cpp); nothing else in the library
// depends on the platform.
#ifndef ZEV_LINK_PLATFORM_H
#define ZEV_LINK_PLATFORM_H

#include <stdint.h>

namespace zev {

// Gives up the rest of the calling thread's time slice.
void platform_yield();

// Milliseconds on a monotonic clock with an arbitrary origin.
uint64_t platform_now_ms();

} // namespace zev

#endif
