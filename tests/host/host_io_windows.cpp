// Freestanding Windows runtime of the test hosts: entry point, console
// output and module checks through KERNEL32 only.
#include "host_io.h"
#include "win32.h"

#include "../../src/link/platform.h"

void host_write(const char* text, uint32_t len) {
    unsigned long written = 0;
    WriteFile(GetStdHandle(kStdOutputHandle), text, len, &written, nullptr);
}

uint64_t host_now_ms() {
    return zev::platform_now_ms();
}

bool host_in_module(const char* name, const void* address) {
    const unsigned char* base = static_cast<const unsigned char*>(GetModuleHandleA(name));
    if (base == nullptr) {
        return false;
    }
    // e_lfanew at 0x3C; SizeOfImage 56 bytes into the optional header,
    // which follows the 4-byte signature and the 20-byte file header.
    const uint32_t pe = *reinterpret_cast<const uint32_t*>(base + 0x3C);
    const uint32_t size = *reinterpret_cast<const uint32_t*>(base + pe + 4 + 20 + 56);
    const unsigned char* p = static_cast<const unsigned char*>(address);
    return p >= base && p < base + size;
}

namespace {

struct ThreadArg {
    void (*body)(uint32_t);
    uint32_t index;
};

unsigned long __stdcall thread_main(void* p) {
    const ThreadArg* arg = static_cast<const ThreadArg*>(p);
    arg->body(arg->index);
    return 0;
}

} // namespace

void host_run_threads(uint32_t count, void (*body)(uint32_t index)) {
    void* threads[16];
    ThreadArg args[16];
    count = count < 16 ? count : 16;
    for (uint32_t i = 0; i < count; ++i) {
        args[i] = ThreadArg{body, i};
        threads[i] = CreateThread(nullptr, 0, thread_main, &args[i], 0, nullptr);
    }
    for (uint32_t i = 0; i < count; ++i) {
        if (threads[i] != nullptr) {
            WaitForSingleObject(threads[i], kInfinite);
            CloseHandle(threads[i]);
        }
    }
}

// The compiler may emit calls to these for copies and initialisers.
extern "C" void* memset(void* dst, int value, size_t n) {
    volatile unsigned char* d = static_cast<volatile unsigned char*>(dst);
    for (size_t i = 0; i < n; ++i) {
        d[i] = static_cast<unsigned char>(value);
    }
    return dst;
}

extern "C" void* memcpy(void* dst, const void* src, size_t n) {
    volatile unsigned char* d = static_cast<volatile unsigned char*>(dst);
    const unsigned char* s = static_cast<const unsigned char*>(src);
    for (size_t i = 0; i < n; ++i) {
        d[i] = s[i];
    }
    return dst;
}

extern "C" void __stdcall host_entry() {
    ExitProcess(host_main() == 0 ? 0u : 1u);
}
