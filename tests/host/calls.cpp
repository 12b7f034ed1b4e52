#include "calls.h"

#include "check.h"

Api api;

#if HOST_CHECKS_STACK
uint32_t g_unbalanced;

void note_stack(uint32_t before, uint32_t after, int line) {
    if (before != after) {
        ++g_unbalanced;
        out("stack moved by ");
        out_dec(before > after ? before - after : after - before);
        out(" bytes in the call at line ");
        out_dec(static_cast<uint64_t>(line));
        out("\n");
    }
}
#endif

int Open(zev_ulong u) {
    return CALLED(api.Open(u));
}
int Close(zev_ulong u) {
    return CALLED(api.Close(u));
}
int Dir(zev_ulong u, zev_ulong v) {
    return CALLED(api.Dir(u, v));
}
int DirH(zev_ulong u, zev_ulong v) {
    return CALLED(api.DirH(u, v));
}
int DirL(zev_ulong u, zev_ulong v) {
    return CALLED(api.DirL(u, v));
}
int Write(zev_ulong u, zev_ulong v) {
    return CALLED(api.Write(u, v));
}
int WriteH(zev_ulong u, zev_ulong v) {
    return CALLED(api.WriteH(u, v));
}
int WriteL(zev_ulong u, zev_ulong v) {
    return CALLED(api.WriteL(u, v));
}
int Read(zev_ulong u, zev_ulong* v) {
    return CALLED(api.Read(u, v));
}
int ReadH(zev_ulong u, zev_ulong* v) {
    return CALLED(api.ReadH(u, v));
}
int ReadL(zev_ulong u, zev_ulong* v) {
    return CALLED(api.ReadL(u, v));
}
int Readback(zev_ulong u, zev_ulong* v) {
    return CALLED(api.Readback(u, v));
}
int UnitID(zev_ulong u, zev_ulong* v) {
    return CALLED(api.UnitID(u, v));
}
int Bit(zev_ulong u, zev_ulong b, int on) {
    return CALLED(api.Bit(u, b, on));
}
short DeviceOpen(short u) {
    return CALLED(api.DeviceOpen(u));
}
// Device_Close returns nothing; the lambda's result stands in for it.
void DeviceClose(short u) {
    CALLED((api.DeviceClose(u), 0));
}
#if HOST_HAS_CHANNEL
short Out(short u, int channel, char value) {
    return CALLED(api.Out(u, static_cast<char>(channel), value));
}
short In(short u, int channel, char* value) {
    return CALLED(api.In(u, static_cast<char>(channel), value));
}
#else
short Out(short u, int, char value) {
    return CALLED(api.Out(u, value));
}
short In(short u, int, char* value) {
    return CALLED(api.In(u, value));
}
#endif

void close_all() {
    for (zev_ulong u = 0; u < ZEV_UNIT_COUNT; ++u) {
        api.Close(u);
    }
}
