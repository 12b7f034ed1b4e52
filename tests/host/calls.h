// The library's exports, called through the bound pointers. In 32-bit
// Windows builds every call checks that the callee left the stack as the
// stdcall convention requires.
#ifndef ZEV_TESTS_HOST_CALLS_H
#define ZEV_TESTS_HOST_CALLS_H

#include "api.h"

#include <stdint.h>

extern Api api;

#if defined(_WIN32) && !defined(_WIN64)
#define HOST_CHECKS_STACK 1
// Calls whose callee left the stack pointer elsewhere than it found it.
extern uint32_t g_unbalanced;
void note_stack(uint32_t before, uint32_t after, int line);
#define READ_ESP(var) asm volatile("movl %%esp, %0" : "=r"(var) : : "memory")
// Puts the stack pointer back where the compiler expects it, so that the
// program survives a mismatched call and goes on to report it.
#define RESTORE_ESP(var) asm volatile("movl %0, %%esp" : : "r"(var) : "memory")
#define CALLED(expr)                                                                               \
    ([&]() {                                                                                       \
        uint32_t before_, after_;                                                                  \
        READ_ESP(before_);                                                                         \
        auto result_ = (expr);                                                                     \
        READ_ESP(after_);                                                                          \
        RESTORE_ESP(before_);                                                                      \
        note_stack(before_, after_, __LINE__);                                                     \
        return result_;                                                                            \
    }())
#else
#define HOST_CHECKS_STACK 0
#define CALLED(expr) (expr)
#endif

int Open(zev_ulong u);
int Close(zev_ulong u);
int Dir(zev_ulong u, zev_ulong v);
int DirH(zev_ulong u, zev_ulong v);
int DirL(zev_ulong u, zev_ulong v);
int Write(zev_ulong u, zev_ulong v);
int WriteH(zev_ulong u, zev_ulong v);
int WriteL(zev_ulong u, zev_ulong v);
int Read(zev_ulong u, zev_ulong* v);
int ReadH(zev_ulong u, zev_ulong* v);
int ReadL(zev_ulong u, zev_ulong* v);
int Readback(zev_ulong u, zev_ulong* v);
int UnitID(zev_ulong u, zev_ulong* v);
int Bit(zev_ulong u, zev_ulong b, int on);
short DeviceOpen(short u);
void DeviceClose(short u);
// The channel is ignored by ZUVIVID, which has one channel only.
short Out(short u, int channel, char value);
short In(short u, int channel, char* value);

// Closes every unit the library holds.
void close_all();

#endif
