// A small check framework for the test hosts, which run without a C or
// C++ runtime under Windows. Prints one line per failed check and a
// closing "N passed, N failed" line.
#ifndef ZEV_TESTS_HOST_CHECK_H
#define ZEV_TESTS_HOST_CHECK_H

#include "host_io.h"
#include "out.h"

#include <stdint.h>

// Records one check; prints the failure with the line and the values.
bool check_u(bool ok, uint64_t got, uint64_t want, const char* expr, int line);
inline bool check_eq(uint64_t got, uint64_t want, const char* expr, int line) {
    return check_u(got == want, got, want, expr, line);
}
bool check_s(const char* got, const char* want, const char* expr, int line);

// Runs one group of checks with the given name.
void run_group(const char* name, void (*group)());
// Prints the totals; returns the number of failed checks.
int report();

#define CHECK(cond) check_u((cond), 1, 1, #cond, __LINE__)
#define CHECK_EQ(got, want)                                                                        \
    check_eq(static_cast<uint64_t>(got), static_cast<uint64_t>(want), #got, __LINE__)
#define CHECK_STR(got, want) check_s((got), (want), #got, __LINE__)

#endif
