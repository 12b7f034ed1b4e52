/*
 * zuzovEraVe.h - driver library for USB parallel-I/O units.
 *
 * A unit has a 16-bit port (high byte bits 8..15, low byte bits 0..7) with a
 * direction word, an output word and an input word, and answers to a unit
 * number 0..255. Open a unit by its number, drive it, close it.
 *
 * Rules every caller can rely on:
 *
 *  - Port functions (zuzovEraVe...) return 1 for success and 0 for failure.
 *    Plug-in functions (<Library>_Device_Open, _Out, _In) return 0 for
 *    success and 1 for failure; <Library>_Device_Close returns nothing.
 *    No other error detail is given.
 *  - Arguments are checked before anything is sent: a refused call causes
 *    no USB traffic at all, and a read that fails leaves the caller's
 *    variable untouched.
 *  - Every call is synchronous and returns when the unit's reply has been
 *    read. A unit that does not answer makes the call fail after about half
 *    a second (ZEV_REPLY_WAIT_LIMIT_MS per exchange); no call waits forever.
 *  - Bytes left on a link by an earlier call that gave up are discarded
 *    before the next command, so a link that fell out of step recovers.
 *  - Thread safety: every function may be called from any thread. Calls on
 *    one unit run one at a time (zuzovEraVeBit's read-back and write
 *    included, and open and close of that unit); calls on different open
 *    units do not wait for each other. Opens run one at a time.
 *  - The library keeps no state but the table of open units. Units still
 *    open when the library is unloaded are not closed.
 *
 * On 32-bit Windows every export uses the standard-call convention, and
 * zev_ulong is unsigned long; on other builds it is a 32-bit unsigned
 * integer. Port words, unit numbers and read results are 32-bit everywhere.
 */
#ifndef ZUZOVERAVE_H
#define ZUZOVERAVE_H

#if defined(_WIN32)
typedef unsigned long zev_ulong;
#else
typedef unsigned int zev_ulong;
#endif

#if defined(_WIN32) && !defined(_WIN64)
#define ZEV_CALL __stdcall
#else
#define ZEV_CALL
#endif

/* ZEV_API marks the port functions; ZEV_PLUGIN_API the plug-in functions,
   which the 32-bit Windows build exports under their plain names (without
   the stdcall "_" and "@N") by linker options instead (cmake/Windows.cmake,
   from tools/winabi.py). */
#if defined(ZEV_BUILDING_LIBRARY)
#if defined(_WIN32)
#define ZEV_API __declspec(dllexport)
#if defined(_WIN64)
#define ZEV_PLUGIN_API __declspec(dllexport)
#else
#define ZEV_PLUGIN_API
#endif
#else
#define ZEV_API __attribute__((visibility("default")))
#define ZEV_PLUGIN_API __attribute__((visibility("default")))
#endif
#elif defined(_WIN32) && !defined(ZEV_NO_DLLIMPORT)
#define ZEV_API __declspec(dllimport)
#define ZEV_PLUGIN_API __declspec(dllimport)
#else
#define ZEV_API
#define ZEV_PLUGIN_API
#endif

/* Highest unit number plus one. */
#define ZEV_UNIT_COUNT 256u
/* How long one exchange waits for its reply before it fails. */
#define ZEV_REPLY_WAIT_LIMIT_MS 500u

/* ---- Opening and closing (C++ linkage: the decorated names are part of
   the binary interface) ---- */

/** Finds the attached unit that reports number `unit` and keeps its link.
    Devices that are not units, or that the driver refuses to open, are
    skipped. A link already held for `unit` is closed when it is replaced.
    Returns 1 when found, 0 otherwise (always 0 for unit >= 256). */
ZEV_API int ZEV_CALL zuzovEraVeOpen(zev_ulong unit);

/** Closes the link of `unit` without sending anything to the unit.
    Returns 1 when a link was held and the driver closed it, else 0. */
ZEV_API int ZEV_CALL zuzovEraVeClose(zev_ulong unit);

/* ---- Port operations on an open unit ---- */

/** Sets the direction word (all digits of `dir` are sent). */
ZEV_API int ZEV_CALL zuzovEraVeDir(zev_ulong unit, zev_ulong dir);
/** Sets the direction high byte; `dir` must be 0..255. */
ZEV_API int ZEV_CALL zuzovEraVeDirH(zev_ulong unit, zev_ulong dir);
/** Sets the direction low byte; `dir` must be 0..255. */
ZEV_API int ZEV_CALL zuzovEraVeDirL(zev_ulong unit, zev_ulong dir);

/** Writes the output word (all digits of `out` are sent). */
ZEV_API int ZEV_CALL zuzovEraVeWrite(zev_ulong unit, zev_ulong out);
/** Writes the output high byte; `out` must be 0..255. */
ZEV_API int ZEV_CALL zuzovEraVeWriteH(zev_ulong unit, zev_ulong out);
/** Writes the output low byte; `out` must be 0..255. */
ZEV_API int ZEV_CALL zuzovEraVeWriteL(zev_ulong unit, zev_ulong out);

/** Reads the input word into *v. */
ZEV_API int ZEV_CALL zuzovEraVeRead(zev_ulong unit, zev_ulong* v);
/** Reads bits 8..15 of the input word into *v, as 0..255. */
ZEV_API int ZEV_CALL zuzovEraVeReadH(zev_ulong unit, zev_ulong* v);
/** Reads bits 0..7 of the input word into *v, as 0..255. */
ZEV_API int ZEV_CALL zuzovEraVeReadL(zev_ulong unit, zev_ulong* v);
/** Reads the output word back from the unit into *v. */
ZEV_API int ZEV_CALL zuzovEraVeReadback(zev_ulong unit, zev_ulong* v);
/** Asks the unit for the number it reports and stores it in *v as given. */
ZEV_API int ZEV_CALL zuzovEraVeUnitID(zev_ulong unit, zev_ulong* v);

/** Sets (`on` != 0) or clears output bit `bit` (0..15) by reading the
    output word back and writing it again with that bit changed. */
ZEV_API int ZEV_CALL zuzovEraVeBit(zev_ulong unit, zev_ulong bit, int on);

/* ---- Plug-in interface: each library exports the four functions named
   after its own file ---- */

#ifdef __cplusplus
extern "C" {
#endif

/* ZUVIVID: units 0..3, one channel (bit 0). */
ZEV_PLUGIN_API short ZEV_CALL Zuvivid_Device_Open(short unit);
ZEV_PLUGIN_API void ZEV_CALL Zuvivid_Device_Close(short unit);
ZEV_PLUGIN_API short ZEV_CALL Zuvivid_Out(short unit, char value);
ZEV_PLUGIN_API short ZEV_CALL Zuvivid_In(short unit, char* value);

/* DIDOVUR6: units 0..15, channel n is bit n. */
ZEV_PLUGIN_API short ZEV_CALL Didovur6_Device_Open(short unit);
ZEV_PLUGIN_API void ZEV_CALL Didovur6_Device_Close(short unit);
ZEV_PLUGIN_API short ZEV_CALL Didovur6_Out(short unit, char channel, char value);
ZEV_PLUGIN_API short ZEV_CALL Didovur6_In(short unit, char channel, char* value);

/* DADADAZ4: units 0..15, channel n is bit n + 1 (channel 255 is bit 0). */
ZEV_PLUGIN_API short ZEV_CALL Dadadaz4_Device_Open(short unit);
ZEV_PLUGIN_API void ZEV_CALL Dadadaz4_Device_Close(short unit);
ZEV_PLUGIN_API short ZEV_CALL Dadadaz4_Out(short unit, char channel, char value);
ZEV_PLUGIN_API short ZEV_CALL Dadadaz4_In(short unit, char channel, char* value);

#ifdef __cplusplus
}
#endif

#endif /* ZUZOVERAVE_H */
