// zuzovEraVeBit: sets or clears one output bit. The unit has no single-bit
// command, so the output word is read back, changed and written again.
#include "port_frame.h"

#include "../link/text.h"
#include "../link/unit_table.h"

#include <zuzovEraVe.h>

using namespace zev;

namespace {

constexpr ExchangeKind kBitWrite = kOutputAck;

} // namespace

ZEV_API int ZEV_CALL zuzovEraVeBit(zev_ulong unit, zev_ulong bit, int on) {
    if (unit >= kUnitCount || bit > 15) {
        return 0;
    }
    // Both exchanges under the unit's lock: no other caller's change can
    // fall between the read-back and the write.
    const UnitGuard guard(static_cast<uint32_t>(unit));
    const Link link = table_link(static_cast<uint32_t>(unit));
    if (link == nullptr) {
        return 0;
    }
    char buf[kCommandBufferSize];
    uint32_t length = format_command(buf, sizeof buf, static_cast<uint32_t>(unit), "O", 0, 0);
    uint32_t word = 0;
    if (run_exchange(link, buf, length, kBitReadback, buf, sizeof buf, &word) != Outcome::ok) {
        return 0;
    }
    const uint32_t mask = 1u << bit;
    word = on != 0 ? (word | mask) : (word & ~mask);
    // Written even when unchanged: the unit gets the word it was read as.
    length = format_command(buf, sizeof buf, static_cast<uint32_t>(unit), "O", 4, word);
    uint32_t unused = 0;
    return run_exchange(link, buf, length, kBitWrite, buf, sizeof buf, &unused) == Outcome::ok ? 1
                                                                                               : 0;
}
