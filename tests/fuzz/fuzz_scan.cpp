// Fuzzes the reply scanner against the independent model: both must agree
// on whether a number converts and on its value, for every input.
#include "scan_model.h"

#include <link/text.h>

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1 || size > 24) {
        return 0;
    }
    // First byte: the width (1 to 8; the replies use 2 and 4).
    const unsigned width = 1u + data[0] % 8u;
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    uint32_t got = 0x5EED;
    uint32_t want = 0x5EED;
    const bool converted =
        zev::scan_hex(text.data(), static_cast<uint32_t>(text.size()), width, &got);
    const bool expected = model_scan(text, width, &want);
    if (converted != expected || (converted && got != want) || (!converted && got != 0x5EED)) {
        std::fprintf(stderr, "width %u: scanner %d/%08X, model %d/%08X\n", width, converted, got,
                     expected, want);
        std::abort();
    }
    return 0;
}
