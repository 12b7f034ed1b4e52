#include "out.h"

#include "host_io.h"

namespace {

uint32_t length(const char* s) {
    uint32_t n = 0;
    while (s[n] != '\0') {
        ++n;
    }
    return n;
}

} // namespace

void out(const char* text) {
    host_write(text, length(text));
}

void out_hex(uint64_t value) {
    char digits[19];
    uint32_t n = 0;
    do {
        digits[n++] = "0123456789ABCDEF"[value & 0xF];
        value >>= 4;
    } while (value != 0);
    out("0x");
    char text[17];
    uint32_t i = 0;
    while (n > 0) {
        text[i++] = digits[--n];
    }
    host_write(text, i);
}

void out_dec(uint64_t value) {
    // 32-bit arithmetic only: 32-bit Windows has no 64-bit division
    // without a C runtime.
    if ((value >> 32) != 0) {
        out_hex(value);
        return;
    }
    auto v = static_cast<uint32_t>(value);
    char digits[10];
    uint32_t n = 0;
    do {
        digits[n++] = static_cast<char>('0' + v % 10);
        v /= 10;
    } while (v != 0);
    char text[10];
    uint32_t i = 0;
    while (n > 0) {
        text[i++] = digits[--n];
    }
    host_write(text, i);
}

bool same_text(const char* a, const char* b) {
    while (*a != '\0' && *a == *b) {
        ++a;
        ++b;
    }
    return *a == *b;
}
