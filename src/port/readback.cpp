// zuzovEraVeReadback: reads the output word back from the unit.
#include "port_frame.h"

#include <zuzovEraVe.h>

using namespace zev;

ZEV_API int ZEV_CALL zuzovEraVeReadback(zev_ulong unit, zev_ulong* v) {
    return port_query(unit, "O", kWordReply, v);
}
