// zuzovEraVeOpen: discovery of a unit by the number it reports.
#include "exchange.h"
#include "unit_table.h"

#include <zuzovEraVe.h>

namespace zev {

namespace {

constexpr d2xx_u32 kUnitUsbId = 0x04036001u; // vendor 0x0403, product 0x6001
constexpr char kUnitDescription[] = "ZERUVUVE";
constexpr uint32_t kBaudRate = 115200;
constexpr uint32_t kTimeoutMs = 250;
constexpr unsigned char kWordLength8 = 8;
constexpr unsigned char kOneStopBit = 0;
constexpr unsigned char kNoParity = 0;
constexpr char kQueryAnyUnit[] = "FFU/";

// Exact match of the whole description, its terminating NUL included.
bool is_unit_description(const char* description) {
    for (uint32_t i = 0; i < sizeof kUnitDescription; ++i) {
        if (description[i] != kUnitDescription[i]) {
            return false;
        }
    }
    return true;
}

bool apply_link_settings(Link link) {
    return FT_SetBaudRate(link, kBaudRate) == D2XX_OK &&
           FT_SetTimeouts(link, kTimeoutMs, kTimeoutMs) == D2XX_OK &&
           FT_SetDataCharacteristics(link, kWordLength8, kOneStopBit, kNoParity) == D2XX_OK;
}

enum class Probe : uint8_t { match, other, abort };

// Opens device `index`, sets it up and asks for its unit number. On a match
// the link is left open in *kept; otherwise it is closed again.
Probe probe_device(d2xx_u32 index, uint32_t wanted, Link* kept) {
    Link link = nullptr;
    if (FT_Open(static_cast<int>(index), &link) != D2XX_OK) {
        // Already open here or elsewhere, or gone: not usable, try the next.
        return Probe::other;
    }
    if (!apply_link_settings(link)) {
        FT_Close(link);
        return Probe::abort;
    }
    char reply[32];
    uint32_t number = 0;
    const Outcome outcome = run_exchange(link, kQueryAnyUnit, sizeof kQueryAnyUnit - 1,
                                         kNumberReply, reply, sizeof reply, &number);
    if (outcome == Outcome::ok && number <= 255 && number == wanted) {
        *kept = link;
        return Probe::match;
    }
    FT_Close(link);
    return outcome == Outcome::driver_failed ? Probe::abort : Probe::other;
}

} // namespace

} // namespace zev

using namespace zev;

ZEV_API int ZEV_CALL zuzovEraVeOpen(zev_ulong unit) {
    if (unit >= kUnitCount) {
        return 0;
    }
    // One scan at a time: a device that one scan has open for its query
    // would otherwise be refused to, and skipped by, another.
    const DiscoveryGuard discovery;
    table_init_once();
    d2xx_u32 count = 0;
    if (FT_CreateDeviceInfoList(&count) != D2XX_OK) {
        return 0;
    }
    for (d2xx_u32 index = 0; index < count; ++index) {
        d2xx_u32 flags = 0;
        d2xx_u32 type = 0;
        d2xx_u32 id = 0;
        d2xx_u32 location = 0;
        char serial[16];
        char description[64];
        d2xx_handle unused = nullptr;
        description[0] = '\0';
        if (FT_GetDeviceInfoDetail(index, &flags, &type, &id, &location, serial, description,
                                   &unused) != D2XX_OK) {
            return 0;
        }
        description[sizeof description - 1] = '\0';
        if (id != kUnitUsbId || !is_unit_description(description)) {
            continue;
        }
        Link link = nullptr;
        const Probe probe = probe_device(index, static_cast<uint32_t>(unit), &link);
        if (probe == Probe::abort) {
            return 0;
        }
        if (probe == Probe::match) {
            const UnitGuard guard(static_cast<uint32_t>(unit));
            // A link already held for this unit would otherwise leak.
            const Link replaced = table_link(static_cast<uint32_t>(unit));
            if (replaced != nullptr) {
                FT_Close(replaced);
            }
            table_store(static_cast<uint32_t>(unit), link);
            return 1;
        }
    }
    return 0;
}
