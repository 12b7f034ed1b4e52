// What a test host needs from its platform: text output, a clock, the
// image range of a loaded library, and (x86) the stack pointer checks.
#ifndef ZEV_TESTS_HOST_IO_H
#define ZEV_TESTS_HOST_IO_H

#include <stdint.h>

void host_write(const char* text, uint32_t len);
uint64_t host_now_ms();
// True when `address` lies inside the image of the loaded module `name`
// (Windows); elsewhere always true.
bool host_in_module(const char* name, const void* address);

// Runs body(0) .. body(count - 1) on `count` threads at once (at most 16)
// and returns when all have ended.
void host_run_threads(uint32_t count, void (*body)(uint32_t index));

// The test body; returns the number of failed checks.
int host_main();

#endif
