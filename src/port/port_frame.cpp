#include "port_frame.h"

#include "../link/text.h"
#include "../link/unit_table.h"

namespace zev {

namespace {

// Looks the unit's link up and runs the command's exchange, all under the
// unit's lock. `unit` is below 256.
int exchange_on_unit(uint32_t unit, const char* letters, uint32_t digits, uint32_t arg,
                     const ExchangeKind& kind, uint32_t* value) {
    const UnitGuard guard(unit);
    const Link link = table_link(unit);
    if (link == nullptr) {
        return 0;
    }
    char buf[kCommandBufferSize];
    const uint32_t length = format_command(buf, sizeof buf, unit, letters, digits, arg);
    return run_exchange(link, buf, length, kind, buf, sizeof buf, value) == Outcome::ok ? 1 : 0;
}

} // namespace

int port_command(uint32_t unit, const char* letters, uint32_t digits, uint32_t arg, bool byte_arg,
                 const ExchangeKind& kind) {
    if (unit >= kUnitCount || (byte_arg && arg > 255)) {
        return 0;
    }
    uint32_t unused = 0;
    return exchange_on_unit(unit, letters, digits, arg, kind, &unused);
}

int port_query(uint32_t unit, const char* letters, const ExchangeKind& kind, zev_ulong* value) {
    if (unit >= kUnitCount || value == nullptr) {
        return 0;
    }
    uint32_t number = 0;
    if (exchange_on_unit(unit, letters, 0, 0, kind, &number) == 0) {
        return 0;
    }
    *value = number;
    return 1;
}

} // namespace zev
