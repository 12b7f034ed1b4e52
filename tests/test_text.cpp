// Command formatting and reply scanning.
#include <link/text.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

struct FormatCase {
    uint32_t unit;
    const char* letters;
    uint32_t digits;
    uint32_t arg;
    const char* expected;
};

TEST(FormatCommand, WritesUpperCaseHexWithMinimumWidth) {
    const FormatCase cases[] = {
        {3, "O", 4, 0x00FF, "03O00FF/"},
        {10, "I", 0, 0, "0AI/"},
        {7, "DL", 2, 0x0F, "07DL0F/"},
        {1, "DH", 2, 255, "01DHFF/"},
        {3, "O", 4, 0x1FFFF, "03O1FFFF/"},
        {2, "O", 4, 0xFFFFFFFFu, "02OFFFFFFFF/"},
        {255, "U", 0, 0, "FFU/"},
        {0, "D", 4, 0, "00D0000/"},
        {0xAB, "O", 4, 0xABCDEF, "ABOABCDEF/"},
    };
    for (const FormatCase& c : cases) {
        char buf[256];
        std::memset(buf, '#', sizeof buf);
        const uint32_t n = zev::format_command(buf, sizeof buf, c.unit, c.letters, c.digits, c.arg);
        EXPECT_EQ(std::string(c.expected), std::string(buf, n)) << c.expected;
        EXPECT_EQ('\0', buf[n]);
    }
}

TEST(FormatCommand, NeverWritesPastTheBuffer) {
    char buf[6];
    std::memset(buf, '#', sizeof buf);
    const uint32_t n = zev::format_command(buf, 5, 3, "O", 4, 0x1234);
    EXPECT_EQ(4u, n);
    EXPECT_EQ(std::string("03O1"), std::string(buf, n));
    EXPECT_EQ('\0', buf[4]);
    EXPECT_EQ('#', buf[5]);
}

struct ScanCase {
    const char* text;
    uint32_t width;
    bool converts;
    uint32_t value;
};

TEST(ScanHex, FollowsTheReplyScanningRules) {
    const ScanCase cases[] = {
        {"1A2B/", 4, true, 0x1A2B},
        {"00ff/", 4, true, 0x00FF}, // either case
        {"12G4/", 4, true, 0x12},   // stops at a non-digit
        {"1A2B7", 4, true, 0x1A2B}, // width ends the number; no slash needed
        {" 1A2B", 4, true, 0x1A2B}, // blanks skipped, not counted
        {"\t\n1A2B/", 4, true, 0x1A2B},
        {"     ", 4, false, 0},          // all blank
        {"", 4, false, 0},               // empty
        {"/1A2B", 4, false, 0},          // starts with the slash
        {"-001/", 4, true, 0xFFFFFFFFu}, // minus: negated modulo 2^32
        {"+12/", 4, true, 0x12},
        {"-/", 4, false, 0}, // lone sign
        {"+", 4, false, 0},
        {"0x1F/", 4, true, 0x1F}, // prefix counts toward the width
        {"0X1f/", 4, true, 0x1F},
        {"0x/", 4, false, 0}, // lone prefix converts nothing
        {"0x", 4, false, 0},
        {"0xG1/", 4, false, 0},
        {"-0x1/", 4, true, 0xFFFFFFFFu}, // sign and prefix share the width
        {"-0x12", 4, true, 0xFFFFFFFFu}, // ... so only one digit fits
        {"0x123", 4, true, 0x12},
        {"05/", 2, true, 5},
        {"FF/", 2, true, 255},
        {"123", 2, true, 0x12},
        {"-1/", 2, true, 0xFFFFFFFFu},
        {"0x", 2, false, 0}, // a two-character lone prefix
        {"-0x", 2, true, 0}, // "-0" fills the width; 0 is a digit
        {"1", 4, true, 1},
        {"5", 4, true, 5},
    };
    for (const ScanCase& c : cases) {
        uint32_t value = 0xDEADBEEF;
        const bool converted =
            zev::scan_hex(c.text, static_cast<uint32_t>(std::strlen(c.text)), c.width, &value);
        EXPECT_EQ(c.converts, converted) << '"' << c.text << '"';
        EXPECT_EQ(c.converts ? c.value : 0xDEADBEEF, value) << '"' << c.text << '"';
    }
}

TEST(ScanHex, LooksOnlyAtTheGivenBytes) {
    // The bytes behind the reply (here a leftover command) never take part.
    const char buf[] = "5AO0021/";
    uint32_t value = 0;
    EXPECT_TRUE(zev::scan_hex(buf, 1, 4, &value));
    EXPECT_EQ(5u, value);
    EXPECT_FALSE(zev::scan_hex(buf, 0, 4, &value));
    EXPECT_EQ(5u, value);
}

} // namespace
