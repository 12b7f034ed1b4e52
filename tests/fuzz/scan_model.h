// An independent model of the reply scanning rules, written for the fuzz
// targets in a different way from the library's scanner: a regular
// expression over the characters the conversion may take.
#ifndef ZEV_TESTS_FUZZ_SCAN_MODEL_H
#define ZEV_TESTS_FUZZ_SCAN_MODEL_H

#include <cstdint>
#include <regex>
#include <string>

// Converts like "%<width>X": true and *value when a number converts.
inline bool model_scan(const std::string& text, unsigned width, uint32_t* value) {
    const size_t start = text.find_first_not_of(" \t\n\v\f\r");
    if (start == std::string::npos) {
        return false;
    }
    // Sign, prefix and digits all come out of the same `width` characters.
    const std::string field = text.substr(start, width);
    static const std::regex number("^([+-]?)(0[xX])?([0-9a-fA-F]*)");
    std::smatch m;
    if (!std::regex_search(field, m, number) || m[3].length() == 0) {
        return false;
    }
    uint32_t v = 0;
    for (char c : m[3].str()) {
        v = v * 16u + static_cast<uint32_t>(std::stoul(std::string(1, c), nullptr, 16));
    }
    *value = m[1] == "-" ? 0u - v : v;
    return true;
}

#endif
