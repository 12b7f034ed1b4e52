#include "platform.h"

#include <sched.h>
#include <time.h>

namespace zev {

void platform_yield() {
    sched_yield();
}

uint64_t platform_now_ms() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<uint64_t>(ts.tv_sec) * 1000u + static_cast<uint64_t>(ts.tv_nsec) / 1000000u;
}

} // namespace zev
