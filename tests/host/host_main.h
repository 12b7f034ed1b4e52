// The groups of end-to-end checks, and how to run one.
#ifndef ZEV_TESTS_HOST_MAIN_H
#define ZEV_TESTS_HOST_MAIN_H

// Runs a group with every unit closed and a fresh simulated driver.
void run(const char* name, void (*group)());

void run_functional_tests();
void run_concurrency_tests();

#endif
