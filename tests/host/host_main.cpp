// The test host: binds the library under test, runs every group of checks
// and reports.
#include "calls.h"
#include "check.h"
#include "host_main.h"

#include <sim.h>

void run(const char* name, void (*group)()) {
    close_all();
    sim_reset();
    run_group(name, group);
}

int host_main() {
    out("testing " HOST_LIBRARY "\n");
    if (!api_bind(&api)) {
        return report();
    }
    run_functional_tests();
    run_concurrency_tests();
#if HOST_CHECKS_STACK
    // Every call above left the stack as a stdcall callee must.
    run_group("stack balance of all calls", [] { CHECK_EQ(g_unbalanced, 0); });
#endif
    close_all();
    return report();
}
