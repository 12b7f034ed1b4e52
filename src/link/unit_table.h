// The table of open units: one link per unit number, the library's only
// state, with the locks that make concurrent callers take turns. All of it
// lives in zero-initialised static storage, so loading the library runs no
// code for it.
#ifndef ZEV_LINK_UNIT_TABLE_H
#define ZEV_LINK_UNIT_TABLE_H

#include "exchange.h"
#include "lock.h"

#include <stdint.h>

namespace zev {

constexpr uint32_t kUnitCount = 256;

// Empties all slots on the first call and never again. Called by
// discovery, under the discovery lock.
void table_init_once();

// The link held for `unit`, or null when unit >= 256 or the slot is empty.
Link table_link(uint32_t unit);

// Stores `link` in slot `unit` (< 256).
void table_store(uint32_t unit, Link link);

// Serialises everything done on one unit (< 256): its exchanges, and the
// open and close that change its slot. Different units do not wait for
// each other.
class UnitGuard {
  public:
    explicit UnitGuard(uint32_t unit);

  private:
    LockGuard guard_;
};

// Lets one discovery at a time scan the attached devices.
class DiscoveryGuard {
  public:
    DiscoveryGuard();

  private:
    LockGuard guard_;
};

} // namespace zev

#endif
