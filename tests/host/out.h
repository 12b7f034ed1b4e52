// Text output for the test hosts and the demo, without a C runtime.
#ifndef ZEV_TESTS_HOST_OUT_H
#define ZEV_TESTS_HOST_OUT_H

#include <stdint.h>

void out(const char* text);
void out_hex(uint64_t value);
void out_dec(uint64_t value);
bool same_text(const char* a, const char* b);

#endif
