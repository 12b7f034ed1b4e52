// The exchange: wait thresholds, bounded waits, stale bytes.
#include "sim_fixture.h"

#include <chrono>
#include <functional>

namespace {

class Exchange : public SimTest {};

long long elapsed_ms(const std::function<void()>& f) {
    const auto start = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 start)
        .count();
}

// With reply bytes arriving one per status poll, a read that starts too
// early gets a cut reply: each call must wait for its own threshold.
TEST_F(Exchange, EachCallWaitsForItsThreshold) {
    const int dev = open_unit(0x1A, 0x00C3, 0x1A2B);
    sim_set_trickle(dev, 1);
    zev_ulong v = 0;
    EXPECT_EQ(1, zuzovEraVeRead(0x1A, &v));
    EXPECT_EQ(0x1A2Bu, v);
    EXPECT_EQ(1, zuzovEraVeReadback(0x1A, &v));
    EXPECT_EQ(0x00C3u, v);
    EXPECT_EQ(1, zuzovEraVeUnitID(0x1A, &v));
    EXPECT_EQ(0x1Au, v);
    EXPECT_EQ("w=1AI/ r5=1A2B/ w=1AO/ r5=00C3/ w=1AU/ r3=1A/", log(dev));
}

TEST_F(Exchange, SingleBitReadBackReadsAsSoonAsOneByteIsThere) {
    // The first exchange of zuzovEraVeBit waits for one byte only; what has
    // arrived by then is the reply.
    const int dev = open_unit(2, 0x0035);
    sim_set_trickle(dev, 1);
    EXPECT_EQ(1, zuzovEraVeBit(2, 4, 1));
    // Only "0" had arrived: the word is taken as 0 and bit 4 set on it.
    EXPECT_EQ("02O/ 02O0010/", writes(dev));
}

TEST_F(Exchange, ReplyCutShortByTheReadTimeOut) {
    const int dev = open_unit(2, 0x1A00);
    struct Case {
        int cut;
        const char* wire; // second command of zuzovEraVeBit(2, 0, 1)
    };
    const Case cases[] = {{2, "02O001B/"}, {1, "02O0001/"}, {3, "02O01A1/"}};
    for (const Case& c : cases) {
        sim_clear_logs();
        sim_cut_replies(dev, c.cut);
        EXPECT_EQ(1, zuzovEraVeBit(2, 0, 1)) << c.cut;
        EXPECT_EQ(std::string("02O/ ") + c.wire, writes(dev)) << c.cut;
        sim_cut_replies(dev, -1);
        sim_set_words(dev, 0, 0x1A00, 0);
    }
    // A word read waits for five bytes; a cut reply never gets there.
    sim_cut_replies(dev, 4);
    zev_ulong v = 3;
    EXPECT_EQ(0, zuzovEraVeRead(2, &v));
    EXPECT_EQ(3u, v);
}

TEST_F(Exchange, SilentUnitFailsEveryCallWithinTheWaitLimit) {
    const int dev = open_unit(4);
    sim_set_silent(dev, 1);
    zev_ulong v = 11;
    const struct {
        const char* name;
        std::function<int()> call;
    } cases[] = {
        {"Dir (spin)", [] { return zuzovEraVeDir(4, 1); }},
        {"Write (yield)", [] { return zuzovEraVeWrite(4, 1); }},
        {"Read (spin)", [&] { return zuzovEraVeRead(4, &v); }},
        {"UnitID (spin)", [&] { return zuzovEraVeUnitID(4, &v); }},
        {"Bit (yield)", [] { return zuzovEraVeBit(4, 1, 1); }},
    };
    for (const auto& c : cases) {
        int result = -1;
        const long long ms = elapsed_ms([&] { result = c.call(); });
        EXPECT_EQ(0, result) << c.name;
        EXPECT_GE(ms, ZEV_REPLY_WAIT_LIMIT_MS - 20) << c.name;
        EXPECT_LT(ms, ZEV_REPLY_WAIT_LIMIT_MS + 1000) << c.name;
    }
    EXPECT_EQ(11u, v);
    // The unit comes back and the same link works again.
    sim_set_silent(dev, 0);
    EXPECT_EQ(1, zuzovEraVeRead(4, &v));
}

TEST_F(Exchange, LateReplyIsNotTakenForTheNextOne) {
    const int dev = open_unit(1, 0x0000, 0x1111);
    zev_ulong v = 0;
    sim_hold_next_reply(dev);
    EXPECT_EQ(0, zuzovEraVeRead(1, &v)); // gives up waiting
    sim_release_held(dev);               // ... then "1111/" arrives
    sim_set_words(dev, 0, 0x2222, 0x3333);
    EXPECT_EQ(1, zuzovEraVeReadback(1, &v));
    EXPECT_EQ(0x2222u, v);
}

TEST_F(Exchange, StaleBytesAreDiscardedBeforeEachCommand) {
    const int dev = open_unit(1, 0x0001, 0x4321);
    struct Case {
        const char* stale;
    };
    const Case cases[] = {{"A"}, {"1A2B/"}, {"/////////"}, {"0"}};
    for (const Case& c : cases) {
        zev_ulong v = 0;
        sim_inject(dev, c.stale, static_cast<uint32_t>(std::string(c.stale).size()));
        EXPECT_EQ(1, zuzovEraVeRead(1, &v)) << c.stale;
        EXPECT_EQ(0x4321u, v) << c.stale;
        // The single-bit read-back must see the real output word too.
        sim_inject(dev, c.stale, static_cast<uint32_t>(std::string(c.stale).size()));
        sim_clear_logs();
        EXPECT_EQ(1, zuzovEraVeBit(1, 1, 1)) << c.stale;
        EXPECT_EQ("01O/ 01O0003/", writes(dev)) << c.stale;
        sim_set_words(dev, 0, 0x0001, 0x4321);
    }
    // A backlog larger than one buffer is cleared as well.
    const std::string flood(600, 'Z');
    sim_inject(dev, flood.data(), static_cast<uint32_t>(flood.size()));
    zev_ulong v = 0;
    EXPECT_EQ(1, zuzovEraVeRead(1, &v));
    EXPECT_EQ(0x4321u, v);
}

} // namespace
