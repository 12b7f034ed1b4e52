// zuzovEraVeDir, zuzovEraVeDirH, zuzovEraVeDirL: set the direction word or
// one of its bytes.
#include "port_frame.h"

#include <zuzovEraVe.h>

using namespace zev;

ZEV_API int ZEV_CALL zuzovEraVeDir(zev_ulong unit, zev_ulong dir) {
    return port_command(unit, "D", 4, dir, false, kDirectionAck);
}

ZEV_API int ZEV_CALL zuzovEraVeDirH(zev_ulong unit, zev_ulong dir) {
    return port_command(unit, "DH", 2, dir, true, kDirectionAck);
}

ZEV_API int ZEV_CALL zuzovEraVeDirL(zev_ulong unit, zev_ulong dir) {
    return port_command(unit, "DL", 2, dir, true, kDirectionAck);
}
