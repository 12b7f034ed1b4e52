// zuzovEraVeClose: releases a unit's link.
#include "unit_table.h"

#include <zuzovEraVe.h>

using namespace zev;

ZEV_API int ZEV_CALL zuzovEraVeClose(zev_ulong unit) {
    if (unit >= kUnitCount) {
        return 0;
    }
    // Waits for a running exchange on this unit to end before its link goes.
    const UnitGuard guard(static_cast<uint32_t>(unit));
    const Link link = table_link(static_cast<uint32_t>(unit));
    if (link == nullptr) {
        return 0;
    }
    table_store(static_cast<uint32_t>(unit), nullptr);
    return FT_Close(link) == D2XX_OK ? 1 : 0;
}
