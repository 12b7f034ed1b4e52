// Selects the plug-in variant a library is built as. The build defines
// exactly one of ZEV_VARIANT_ZUVIVID, ZEV_VARIANT_DIDOVUR6 and
// ZEV_VARIANT_DADADAZ4.
#ifndef ZEV_PLUGIN_VARIANT_H
#define ZEV_PLUGIN_VARIANT_H

#if defined(ZEV_VARIANT_ZUVIVID)
// One channel (bit 0) per unit, units 0 to 3.
#define ZEV_PLUGIN(name) Zuvivid_##name
#define ZEV_PLUGIN_HAS_CHANNEL 0
#define ZEV_PLUGIN_HIGHEST_UNIT 3
#define ZEV_PLUGIN_CHANNEL_OFFSET 0
#elif defined(ZEV_VARIANT_DIDOVUR6)
// Channel n is bit n, units 0 to 15.
#define ZEV_PLUGIN(name) Didovur6_##name
#define ZEV_PLUGIN_HAS_CHANNEL 1
#define ZEV_PLUGIN_HIGHEST_UNIT 15
#define ZEV_PLUGIN_CHANNEL_OFFSET 0
#elif defined(ZEV_VARIANT_DADADAZ4)
// Channel n is bit n + 1, units 0 to 15.
#define ZEV_PLUGIN(name) Dadadaz4_##name
#define ZEV_PLUGIN_HAS_CHANNEL 1
#define ZEV_PLUGIN_HIGHEST_UNIT 15
#define ZEV_PLUGIN_CHANNEL_OFFSET 1
#else
#error "define one of ZEV_VARIANT_ZUVIVID, ZEV_VARIANT_DIDOVUR6, ZEV_VARIANT_DADADAZ4"
#endif

#endif
