#include "unit_table.h"

namespace zev {

namespace {

// Slots are read and written atomically: a slot is only changed under its
// unit's lock, but the first discovery empties all of them.
Link g_slots[kUnitCount];
uint32_t g_initialised;
LockWord g_unit_locks[kUnitCount];
LockWord g_discovery_lock;

} // namespace

void table_init_once() {
    if (g_initialised != 0) {
        return;
    }
    for (uint32_t i = 0; i < kUnitCount; ++i) {
        __atomic_store_n(&g_slots[i], nullptr, __ATOMIC_RELEASE);
    }
    g_initialised = 1;
}

Link table_link(uint32_t unit) {
    return unit < kUnitCount ? __atomic_load_n(&g_slots[unit], __ATOMIC_ACQUIRE) : nullptr;
}

void table_store(uint32_t unit, Link link) {
    __atomic_store_n(&g_slots[unit], link, __ATOMIC_RELEASE);
}

UnitGuard::UnitGuard(uint32_t unit) : guard_(&g_unit_locks[unit]) {}

DiscoveryGuard::DiscoveryGuard() : guard_(&g_discovery_lock) {}

} // namespace zev
