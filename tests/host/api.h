// The library's exports as a host sees them: one typed pointer each, bound
// either at link time or by name from the loaded library.
#ifndef ZEV_TESTS_HOST_API_H
#define ZEV_TESTS_HOST_API_H

#include <zuzovEraVe.h>

struct Api {
    int(ZEV_CALL* Open)(zev_ulong);
    int(ZEV_CALL* Close)(zev_ulong);
    int(ZEV_CALL* Dir)(zev_ulong, zev_ulong);
    int(ZEV_CALL* DirH)(zev_ulong, zev_ulong);
    int(ZEV_CALL* DirL)(zev_ulong, zev_ulong);
    int(ZEV_CALL* Write)(zev_ulong, zev_ulong);
    int(ZEV_CALL* WriteH)(zev_ulong, zev_ulong);
    int(ZEV_CALL* WriteL)(zev_ulong, zev_ulong);
    int(ZEV_CALL* Read)(zev_ulong, zev_ulong*);
    int(ZEV_CALL* ReadH)(zev_ulong, zev_ulong*);
    int(ZEV_CALL* ReadL)(zev_ulong, zev_ulong*);
    int(ZEV_CALL* Readback)(zev_ulong, zev_ulong*);
    int(ZEV_CALL* UnitID)(zev_ulong, zev_ulong*);
    int(ZEV_CALL* Bit)(zev_ulong, zev_ulong, int);
    short(ZEV_CALL* DeviceOpen)(short);
    void(ZEV_CALL* DeviceClose)(short);
#if HOST_HAS_CHANNEL
    short(ZEV_CALL* Out)(short, char, char);
    short(ZEV_CALL* In)(short, char, char*);
#else
    short(ZEV_CALL* Out)(short, char);
    short(ZEV_CALL* In)(short, char*);
#endif
};

// Fills `api`; every export that cannot be bound, or that is bound outside
// the library's own image, is a failed check. Returns false if any is.
bool api_bind(Api* api);

#define HOST_STR2(x) #x
#define HOST_STR(x) HOST_STR2(x)
#define HOST_CAT2(a, b) a##b
#define HOST_CAT(a, b) HOST_CAT2(a, b)
#define HOST_PLUGIN(name) HOST_CAT(HOST_PREFIX, HOST_CAT(_, name))

#endif
