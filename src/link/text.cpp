#include "text.h"

namespace zev {

namespace {

const char kHexDigits[] = "0123456789ABCDEF";

struct Writer {
    char* buf;
    uint32_t cap;
    uint32_t len;

    void put(char c) {
        if (len + 1 < cap) {
            buf[len++] = c;
        }
    }
    void hex(uint32_t value, uint32_t min_digits) {
        char digits[8];
        uint32_t n = 0;
        do {
            digits[n++] = kHexDigits[value & 0xFu];
            value >>= 4;
        } while (value != 0);
        for (uint32_t pad = n; pad < min_digits; ++pad) {
            put('0');
        }
        while (n > 0) {
            put(digits[--n]);
        }
    }
};

bool is_space(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

int hex_value(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

} // namespace

uint32_t format_command(char* buf, uint32_t cap, uint32_t unit, const char* letters,
                        uint32_t arg_digits, uint32_t arg) {
    if (cap == 0) {
        return 0;
    }
    Writer w{buf, cap, 0};
    w.hex(unit, 2);
    for (const char* p = letters; *p != '\0'; ++p) {
        w.put(*p);
    }
    if (arg_digits > 0) {
        w.hex(arg, arg_digits);
    }
    w.put('/');
    buf[w.len] = '\0';
    return w.len;
}

bool scan_hex(const char* text, uint32_t len, uint32_t width, uint32_t* value) {
    uint32_t pos = 0;
    while (pos < len && is_space(text[pos])) {
        ++pos;
    }
    // From here on every character taken counts toward the width.
    const uint32_t end = (len - pos < width) ? len : pos + width;
    bool negative = false;
    if (pos < end && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    if (end - pos >= 2 && text[pos] == '0' && (text[pos + 1] == 'x' || text[pos + 1] == 'X')) {
        pos += 2;
    }
    uint32_t result = 0;
    uint32_t digits = 0;
    for (; pos < end; ++pos) {
        const int d = hex_value(text[pos]);
        if (d < 0) {
            break;
        }
        result = (result << 4) | static_cast<uint32_t>(d);
        ++digits;
    }
    if (digits == 0) {
        return false;
    }
    *value = negative ? 0u - result : result;
    return true;
}

} // namespace zev
