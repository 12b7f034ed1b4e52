// zuzovEraVeUnitID: asks an open unit for the number it reports. The
// number is passed on as the unit gives it, without comparing or limiting.
#include "port_frame.h"

#include <zuzovEraVe.h>

using namespace zev;

ZEV_API int ZEV_CALL zuzovEraVeUnitID(zev_ulong unit, zev_ulong* v) {
    return port_query(unit, "U", kNumberReply, v);
}
