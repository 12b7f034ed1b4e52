// The frame every port operation runs: check the unit and its slot, format
// the command into a call-local buffer, run one exchange on the unit's link.
#ifndef ZEV_PORT_PORT_FRAME_H
#define ZEV_PORT_PORT_FRAME_H

#include "../link/exchange.h"

#include <zuzovEraVe.h>

#include <stdint.h>

namespace zev {

// Size of the command buffer of a port operation.
constexpr uint32_t kCommandBufferSize = 256;

// A command with an argument of `digits` minimum hex digits; `byte_arg`
// refuses values above 255 before anything is sent. Returns 1 or 0.
int port_command(uint32_t unit, const char* letters, uint32_t digits, uint32_t arg, bool byte_arg,
                 const ExchangeKind& kind);

// A command without argument whose data reply is stored in *value.
// Returns 1 or 0; a null `value` is refused, and *value is written only on
// success.
int port_query(uint32_t unit, const char* letters, const ExchangeKind& kind, zev_ulong* value);

} // namespace zev

#endif
