// zuzovEraVeRead, zuzovEraVeReadH, zuzovEraVeReadL: read the input word or
// one of its bytes. The unit has no byte-wide read, so the byte reads fetch
// the word and keep one byte of it.
#include "port_frame.h"

#include <zuzovEraVe.h>

using namespace zev;

namespace {

int read_input(zev_ulong unit, zev_ulong* v, uint32_t shift, zev_ulong mask) {
    zev_ulong word = 0;
    if (v == nullptr || port_query(unit, "I", kWordReply, &word) == 0) {
        return 0;
    }
    *v = (word >> shift) & mask;
    return 1;
}

} // namespace

ZEV_API int ZEV_CALL zuzovEraVeRead(zev_ulong unit, zev_ulong* v) {
    return read_input(unit, v, 0, 0xFFFFFFFFu);
}

ZEV_API int ZEV_CALL zuzovEraVeReadH(zev_ulong unit, zev_ulong* v) {
    return read_input(unit, v, 8, 0xFFu);
}

ZEV_API int ZEV_CALL zuzovEraVeReadL(zev_ulong unit, zev_ulong* v) {
    return read_input(unit, v, 0, 0xFFu);
}
