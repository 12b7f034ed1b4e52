// The table of open units: one link per unit number, the library's only
// state. It lives in zero-initialised static storage, so loading the
// library runs no code for it.
#ifndef ZEV_LINK_UNIT_TABLE_H
#define ZEV_LINK_UNIT_TABLE_H

#include "exchange.h"

#include <stdint.h>

namespace zev {

constexpr uint32_t kUnitCount = 256;

// Empties all slots on the first call and never again.
void table_init_once();

// The link held for `unit`, or null when unit >= 256 or the slot is empty.
Link table_link(uint32_t unit);

// Stores `link` in slot `unit` (< 256) and returns what the slot held.
Link table_exchange(uint32_t unit, Link link);

} // namespace zev

#endif
