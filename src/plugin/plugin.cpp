// The plug-in interface: <Library>_Device_Open, _Device_Close, _Out and
// _In, a single-channel view of the units built on the port functions.
// The variant (names, unit range, channel mapping) comes from variant.h.
#include "variant.h"

#include <zuzovEraVe.h>

#include <stdint.h>

namespace {

constexpr short kSuccess = 0;
constexpr short kFailure = 1;
constexpr zev_ulong kDirectionWord = 0x0001;

// Negative units, read as unsigned 16-bit numbers, are above the range.
bool accepted(short unit) {
    return static_cast<unsigned short>(unit) <= ZEV_PLUGIN_HIGHEST_UNIT;
}

// Out's bit: channel plus offset in 8 bits, taken as a signed byte and
// widened with its sign, so that zuzovEraVeBit refuses everything outside
// 0..15 (channel 255 with offset 1 wraps to bit 0).
[[maybe_unused]] zev_ulong out_bit(char channel) {
    const auto wrapped =
        static_cast<unsigned char>(static_cast<unsigned char>(channel) + ZEV_PLUGIN_CHANNEL_OFFSET);
    return static_cast<zev_ulong>(static_cast<int32_t>(static_cast<signed char>(wrapped)));
}

// In's bit: channel byte as 0..255 plus offset, modulo 32.
[[maybe_unused]] uint32_t in_bit(char channel) {
    return (static_cast<uint32_t>(static_cast<unsigned char>(channel)) +
            ZEV_PLUGIN_CHANNEL_OFFSET) %
           32u;
}

short open_unit(short unit) {
    if (!accepted(unit)) {
        return kFailure;
    }
    const auto u = static_cast<zev_ulong>(unit);
    // A failed direction write leaves the unit open.
    if (zuzovEraVeOpen(u) == 0 || zuzovEraVeDir(u, kDirectionWord) == 0) {
        return kFailure;
    }
    return kSuccess;
}

void close_unit(short unit) {
    if (accepted(unit)) {
        zuzovEraVeClose(static_cast<zev_ulong>(unit));
    }
}

short out(short unit, zev_ulong bit, char value) {
    if (!accepted(unit) || (value != 0 && value != 1)) {
        return kFailure;
    }
    return zuzovEraVeBit(static_cast<zev_ulong>(unit), bit, value == 1 ? 1 : 0) != 0 ? kSuccess
                                                                                     : kFailure;
}

// Reads the output word back (not the input word) and stores one bit.
short in(short unit, uint32_t bit, char* value) {
    zev_ulong word = 0;
    if (!accepted(unit) || value == nullptr ||
        zuzovEraVeReadback(static_cast<zev_ulong>(unit), &word) == 0) {
        return kFailure;
    }
    *value = static_cast<char>((word >> bit) & 1u);
    return kSuccess;
}

} // namespace

extern "C" {

ZEV_PLUGIN_API short ZEV_CALL ZEV_PLUGIN(Device_Open)(short unit) {
    return open_unit(unit);
}

ZEV_PLUGIN_API void ZEV_CALL ZEV_PLUGIN(Device_Close)(short unit) {
    close_unit(unit);
}

#if ZEV_PLUGIN_HAS_CHANNEL

ZEV_PLUGIN_API short ZEV_CALL ZEV_PLUGIN(Out)(short unit, char channel, char value) {
    return out(unit, out_bit(channel), value);
}

ZEV_PLUGIN_API short ZEV_CALL ZEV_PLUGIN(In)(short unit, char channel, char* value) {
    return in(unit, in_bit(channel), value);
}

#else

ZEV_PLUGIN_API short ZEV_CALL ZEV_PLUGIN(Out)(short unit, char value) {
    return out(unit, 0, value);
}

ZEV_PLUGIN_API short ZEV_CALL ZEV_PLUGIN(In)(short unit, char* value) {
    return in(unit, 0, value);
}

#endif

} // extern "C"
