// Command formatting and reply scanning: the library's own small routines,
// so that commands and replies follow the unit protocol's text rules exactly
// on every platform and no C runtime is needed.
#ifndef ZEV_LINK_TEXT_H
#define ZEV_LINK_TEXT_H

#include <stdint.h>

namespace zev {

// Formats a command "<unit:%02X><letters>[<arg:%0*X>]/" into buf, which
// holds `cap` bytes, and NUL-terminates it. `arg_digits` is the minimum
// number of hex digits of the argument (0: no argument); like "%04X", all
// digits of a larger value are written. Returns the length without the NUL;
// text that would not fit is cut off at cap - 1 characters.
uint32_t format_command(char* buf, uint32_t cap, uint32_t unit, const char* letters,
                        uint32_t arg_digits, uint32_t arg);

// Scans one hexadecimal number from the `len` bytes at `text`, the way the
// conversion "%<width>X" does:
//  - leading white space is skipped and does not count toward the width;
//  - at most `width` characters form the number; an optional sign and an
//    optional 0x / 0X prefix count toward them;
//  - digits of either case; the number ends at the first non-digit;
//  - a minus sign negates the value modulo 2^32;
//  - without at least one digit after sign and prefix nothing is converted
//    (empty or blank text, a lone sign, a lone prefix).
// Returns true and sets *value when a number was converted; otherwise
// returns false and leaves *value alone. Bytes after the number (the "/" of
// a reply) do not affect the result.
bool scan_hex(const char* text, uint32_t len, uint32_t width, uint32_t* value);

} // namespace zev

#endif
