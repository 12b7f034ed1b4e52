#include "unit_table.h"

namespace zev {

namespace {

Link g_slots[kUnitCount];
uint32_t g_initialised;

} // namespace

void table_init_once() {
    if (g_initialised != 0) {
        return;
    }
    for (uint32_t i = 0; i < kUnitCount; ++i) {
        g_slots[i] = nullptr;
    }
    g_initialised = 1;
}

Link table_link(uint32_t unit) {
    return unit < kUnitCount ? g_slots[unit] : nullptr;
}

Link table_exchange(uint32_t unit, Link link) {
    const Link old = g_slots[unit];
    g_slots[unit] = link;
    return old;
}

} // namespace zev
