#include "platform.h"

// The two KERNEL32 functions the library imports; declared here because the
// build uses no Windows SDK.
extern "C" {
__declspec(dllimport) void __stdcall Sleep(unsigned long milliseconds);
__declspec(dllimport) unsigned long long __stdcall GetTickCount64();
}

namespace zev {

void platform_yield() {
    Sleep(0);
}

uint64_t platform_now_ms() {
    return GetTickCount64();
}

} // namespace zev
