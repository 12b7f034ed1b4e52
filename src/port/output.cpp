// zuzovEraVeWrite, zuzovEraVeWriteH, zuzovEraVeWriteL: write the output
// word or one of its bytes.
#include "port_frame.h"

#include <zuzovEraVe.h>

using namespace zev;

ZEV_API int ZEV_CALL zuzovEraVeWrite(zev_ulong unit, zev_ulong out) {
    return port_command(unit, "O", 4, out, false, kOutputAck);
}

ZEV_API int ZEV_CALL zuzovEraVeWriteH(zev_ulong unit, zev_ulong out) {
    return port_command(unit, "OH", 2, out, true, kOutputAck);
}

ZEV_API int ZEV_CALL zuzovEraVeWriteL(zev_ulong unit, zev_ulong out) {
    return port_command(unit, "OL", 2, out, true, kOutputAck);
}
