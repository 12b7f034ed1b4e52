#include "check.h"

namespace {

uint32_t g_passed;
uint32_t g_failed;
const char* g_group = "";

void fail_prefix(const char* expr, int line) {
    out("FAIL [");
    out(g_group);
    out("] line ");
    out_dec(static_cast<uint64_t>(line));
    out(": ");
    out(expr);
}

} // namespace

bool check_u(bool ok, uint64_t got, uint64_t want, const char* expr, int line) {
    if (ok) {
        ++g_passed;
        return true;
    }
    ++g_failed;
    fail_prefix(expr, line);
    out(" is ");
    out_hex(got);
    out(", expected ");
    out_hex(want);
    out("\n");
    return false;
}

bool check_s(const char* got, const char* want, const char* expr, int line) {
    if (same_text(got, want)) {
        ++g_passed;
        return true;
    }
    ++g_failed;
    fail_prefix(expr, line);
    out(" is \"");
    out(got);
    out("\", expected \"");
    out(want);
    out("\"\n");
    return false;
}

void run_group(const char* name, void (*group)()) {
    g_group = name;
    const uint32_t before = g_failed;
    group();
    out(g_failed == before ? "ok   " : "FAIL ");
    out(name);
    out("\n");
}

int report() {
    out_dec(g_passed);
    out(" passed, ");
    out_dec(g_failed);
    out(" failed\n");
    return static_cast<int>(g_failed);
}
