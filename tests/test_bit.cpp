// zuzovEraVeBit: read back, change one bit, write the word again.
#include "sim_fixture.h"

namespace {

class Bit : public SimTest {};

TEST_F(Bit, RewritesTheWordWithOneBitChanged) {
    struct Case {
        uint32_t word;
        zev_ulong bit;
        int on;
        const char* written;
    };
    const Case cases[] = {
        {0x0001, 5, 1, "02O0021/"},  {0xFFFF, 0, 0, "02OFFFE/"},
        {0x0020, 5, 1, "02O0020/"},                               // unchanged word is still written
        {0x8000, 15, 0, "02O0000/"}, {0x0000, 15, 7, "02O8000/"}, // any non-zero `on` sets
    };
    const int dev = open_unit(2);
    for (const Case& c : cases) {
        sim_set_words(dev, 0, c.word, 0);
        sim_clear_logs();
        EXPECT_EQ(1, zuzovEraVeBit(2, c.bit, c.on)) << c.written;
        EXPECT_EQ(std::string("02O/ ") + c.written, writes(dev));
    }
}

TEST_F(Bit, LowerCaseReadBackIsAcceptedAndUpperCaseWritten) {
    const int dev = open_unit(2);
    sim_override_next_reply(dev, "00ff/", 5);
    EXPECT_EQ(1, zuzovEraVeBit(2, 0, 0));
    EXPECT_EQ("02O/ 02O00FE/", writes(dev));
}

TEST_F(Bit, NegativeReadBackIsUsedAsA32BitWord) {
    const int dev = open_unit(2);
    sim_override_next_reply(dev, "-001/", 5);
    EXPECT_EQ(1, zuzovEraVeBit(2, 3, 0));
    EXPECT_EQ("02O/ 02OFFFFFFF7/", writes(dev));
}

TEST_F(Bit, RefusalsSendNothing) {
    const int dev = open_unit(1);
    EXPECT_EQ(0, zuzovEraVeBit(1, 16, 1));
    EXPECT_EQ(0, zuzovEraVeBit(1, 0xFFFFFFFFu, 1));
    EXPECT_EQ(0, zuzovEraVeBit(256, 0, 1));
    EXPECT_EQ(0, zuzovEraVeBit(3, 0, 1)); // slot empty
    EXPECT_EQ("", log(dev));
}

TEST_F(Bit, FailedReadBackSendsNoWrite) {
    const int dev = open_unit(1, 0x00F0);
    sim_override_next_reply(dev, "/00F0", 5);
    EXPECT_EQ(0, zuzovEraVeBit(1, 0, 1));
    EXPECT_EQ("01O/", writes(dev));
    EXPECT_EQ(0x00F0u, sim_output(dev));
}

TEST_F(Bit, FailedWriteIsNotAwaited) {
    const int dev = open_unit(1, 0x00F0);
    sim_fail_call(SIM_WRITE, 1, 1); // the read-back goes out, the write fails
    EXPECT_EQ(0, zuzovEraVeBit(1, 0, 1));
    EXPECT_EQ("w=01O/ r5=00F0/ w!", log(dev));
    EXPECT_EQ(0x00F0u, sim_output(dev));
    // A failed acknowledgement read is a failure too.
    sim_clear_logs();
    sim_fail_call(SIM_READ, 1, 1);
    EXPECT_EQ(0, zuzovEraVeBit(1, 0, 1));
    EXPECT_EQ(0x00F1u, sim_output(dev));
}

} // namespace
