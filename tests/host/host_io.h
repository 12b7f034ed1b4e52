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

// The test body; returns the number of failed checks.
int host_main();

#endif
