// The KERNEL32 functions the test hosts use, declared here because the
// build has no Windows SDK.
#ifndef ZEV_TESTS_HOST_WIN32_H
#define ZEV_TESTS_HOST_WIN32_H

#include <stddef.h>
#include <stdint.h>

constexpr unsigned long kStdOutputHandle = static_cast<unsigned long>(-11);
constexpr unsigned long kInfinite = 0xFFFFFFFFu;

extern "C" {
__declspec(dllimport) void* __stdcall GetStdHandle(unsigned long which);
__declspec(dllimport) int __stdcall WriteFile(void* file, const void* data, unsigned long len,
                                              unsigned long* written, void* overlapped);
__declspec(dllimport) __attribute__((noreturn)) void __stdcall ExitProcess(unsigned int code);
__declspec(dllimport) void* __stdcall LoadLibraryA(const char* name);
__declspec(dllimport) void* __stdcall GetProcAddress(void* module, const char* name);
__declspec(dllimport) void* __stdcall GetModuleHandleA(const char* name);
__declspec(dllimport) void* __stdcall CreateThread(void* attributes, size_t stack,
                                                   unsigned long(__stdcall* start)(void*),
                                                   void* arg, unsigned long flags,
                                                   unsigned long* id);
__declspec(dllimport) unsigned long __stdcall WaitForSingleObject(void* handle, unsigned long ms);
__declspec(dllimport) int __stdcall CloseHandle(void* handle);
}

#endif
