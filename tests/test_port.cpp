// The port operations on an open unit.
#include "sim_fixture.h"

#include <functional>

namespace {

class Port : public SimTest {};

using Call = std::function<int()>;

struct WireCase {
    const char* name;
    Call call;
    const char* wire;
};

TEST_F(Port, EachOperationSendsItsCommand) {
    open_unit(1, 0x0000, 0x1A2B);
    open_unit(3);
    open_unit(10, 0x00C3, 0x1A2B);
    zev_ulong v = 0;
    const WireCase cases[] = {
        {"Dir", [] { return zuzovEraVeDir(3, 0x0F0F); }, "03D0F0F/"},
        {"Dir wide", [] { return zuzovEraVeDir(3, 0x12345); }, "03D12345/"},
        {"DirH", [] { return zuzovEraVeDirH(1, 255); }, "01DHFF/"},
        {"DirL", [] { return zuzovEraVeDirL(3, 0x0F); }, "03DL0F/"},
        {"Write", [] { return zuzovEraVeWrite(3, 0x00FF); }, "03O00FF/"},
        {"Write wide", [] { return zuzovEraVeWrite(3, 0x1FFFF); }, "03O1FFFF/"},
        {"WriteH", [] { return zuzovEraVeWriteH(10, 0xA5); }, "0AOHA5/"},
        {"WriteL", [] { return zuzovEraVeWriteL(1, 0); }, "01OL00/"},
        {"Read", [&] { return zuzovEraVeRead(10, &v); }, "0AI/"},
        {"ReadH", [&] { return zuzovEraVeReadH(1, &v); }, "01I/"},
        {"ReadL", [&] { return zuzovEraVeReadL(1, &v); }, "01I/"},
        {"Readback", [&] { return zuzovEraVeReadback(10, &v); }, "0AO/"},
        {"UnitID", [&] { return zuzovEraVeUnitID(3, &v); }, "03U/"},
    };
    for (const WireCase& c : cases) {
        sim_clear_logs();
        EXPECT_EQ(1, c.call()) << c.name;
        EXPECT_EQ(std::string(c.wire), all_writes()) << c.name;
    }
}

TEST_F(Port, ReadsStoreTheWordOrOneByteOfIt) {
    open_unit(10, 0x00C3, 0x1A2B);
    struct Case {
        const char* name;
        int (*read)(zev_ulong, zev_ulong*);
        zev_ulong expected;
    };
    const Case cases[] = {
        {"Read", zuzovEraVeRead, 0x1A2B}, {"ReadH", zuzovEraVeReadH, 0x1A},
        {"ReadL", zuzovEraVeReadL, 0x2B}, {"Readback", zuzovEraVeReadback, 0x00C3},
        {"UnitID", zuzovEraVeUnitID, 10},
    };
    for (const Case& c : cases) {
        zev_ulong v = 0xDEAD;
        EXPECT_EQ(1, c.read(10, &v)) << c.name;
        EXPECT_EQ(c.expected, v) << c.name;
    }
}

TEST_F(Port, WritesChangeTheUnitsWords) {
    const int dev = open_unit(2, 0x1234);
    EXPECT_EQ(1, zuzovEraVeWriteH(2, 0xAB));
    EXPECT_EQ(0xAB34u, sim_output(dev));
    EXPECT_EQ(1, zuzovEraVeWriteL(2, 0xCD));
    EXPECT_EQ(0xABCDu, sim_output(dev));
    EXPECT_EQ(1, zuzovEraVeDir(2, 0x00F0));
    EXPECT_EQ(1, zuzovEraVeDirH(2, 0x11));
    EXPECT_EQ(0x11F0u, sim_direction(dev));
}

TEST_F(Port, RefusedCallsSendNothing) {
    const int dev = open_unit(1);
    zev_ulong v = 7;
    const struct {
        const char* name;
        Call call;
    } cases[] = {
        {"WriteH 256", [] { return zuzovEraVeWriteH(1, 256); }},
        {"WriteL 256", [] { return zuzovEraVeWriteL(1, 256); }},
        {"DirH 256", [] { return zuzovEraVeDirH(1, 256); }},
        {"DirL 300", [] { return zuzovEraVeDirL(1, 300); }},
        {"Dir unit 256", [] { return zuzovEraVeDir(256, 1); }},
        {"Write unit 2^32-1", [] { return zuzovEraVeWrite(0xFFFFFFFFu, 1); }},
        {"Write closed unit", [] { return zuzovEraVeWrite(2, 1); }},
        {"DirL closed unit", [] { return zuzovEraVeDirL(2, 1); }},
        {"Read unit 256", [&] { return zuzovEraVeRead(256, &v); }},
        {"ReadH closed unit", [&] { return zuzovEraVeReadH(2, &v); }},
        {"Readback closed unit", [&] { return zuzovEraVeReadback(0, &v); }},
        {"UnitID closed unit", [&] { return zuzovEraVeUnitID(255, &v); }},
        {"Read null", [] { return zuzovEraVeRead(1, nullptr); }},
        {"ReadH null", [] { return zuzovEraVeReadH(1, nullptr); }},
        {"ReadL null", [] { return zuzovEraVeReadL(1, nullptr); }},
        {"Readback null", [] { return zuzovEraVeReadback(1, nullptr); }},
        {"UnitID null", [] { return zuzovEraVeUnitID(1, nullptr); }},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(0, c.call()) << c.name;
    }
    EXPECT_EQ("", log(dev));
    EXPECT_EQ(7u, v);
}

TEST_F(Port, ReplyParsingDecidesTheRead) {
    const int dev = open_unit(1);
    struct Case {
        const char* reply;
        int result;
        zev_ulong value; // expected v; 0x5555 = untouched
    };
    const Case cases[] = {
        {"1A2B/", 1, 0x1A2B}, {"00ff/", 1, 0x00FF}, {"12G4/", 1, 0x12},        {"1A2B7", 1, 0x1A2B},
        {" 1A2B", 1, 0x1A2B}, {"     ", 0, 0x5555}, {"-001/", 1, 0xFFFFFFFFu}, {"0x1F/", 1, 0x1F},
        {"/1A2B", 0, 0x5555}, {"0x/00", 0, 0x5555}, {"-/123", 0, 0x5555},
    };
    for (const Case& c : cases) {
        zev_ulong v = 0x5555;
        sim_override_next_reply(dev, c.reply, 5);
        EXPECT_EQ(c.result, zuzovEraVeRead(1, &v)) << c.reply;
        EXPECT_EQ(c.value, v) << c.reply;
    }
    // A byte read keeps its byte only after a good parse.
    zev_ulong v = 0x5555;
    sim_override_next_reply(dev, "/1A2B", 5);
    EXPECT_EQ(0, zuzovEraVeReadH(1, &v));
    EXPECT_EQ(0x5555u, v);
    sim_override_next_reply(dev, "-001/", 5);
    EXPECT_EQ(1, zuzovEraVeReadH(1, &v));
    EXPECT_EQ(0xFFu, v);
}

TEST_F(Port, UnitIdPassesOnWhateverTheUnitReports) {
    const int dev = open_unit(5);
    zev_ulong v = 0;
    sim_override_next_reply(dev, "07/", 3);
    EXPECT_EQ(1, zuzovEraVeUnitID(5, &v));
    EXPECT_EQ(7u, v);
    sim_override_next_reply(dev, "-1/", 3);
    EXPECT_EQ(1, zuzovEraVeUnitID(5, &v));
    EXPECT_EQ(0xFFFFFFFFu, v);
    EXPECT_EQ("05U/ 05U/", writes(dev));
}

TEST_F(Port, AnyAcknowledgementByteIsSuccess) {
    const int dev = open_unit(1);
    for (const char* ack : {"\0", "x", "/", "\xFF"}) {
        sim_override_next_reply(dev, ack, 1);
        EXPECT_EQ(1, zuzovEraVeWrite(1, 0));
        sim_override_next_reply(dev, ack, 1);
        EXPECT_EQ(1, zuzovEraVeDirL(1, 0));
    }
}

TEST_F(Port, DriverFailureFailsTheCallAndKeepsTheUnitOpen) {
    const int dev = open_unit(1, 0, 0x0042);
    zev_ulong v = 9;
    sim_fail_call(SIM_READ, 0, 1);
    EXPECT_EQ(0, zuzovEraVeWrite(1, 3));
    sim_fail_call(SIM_WRITE, 0, 1); // the stale ack is drained, then the write fails
    EXPECT_EQ(0, zuzovEraVeRead(1, &v));
    sim_fail_call(SIM_READ, 0, 1);
    EXPECT_EQ(0, zuzovEraVeRead(1, &v));
    EXPECT_EQ(9u, v);
    // The reply left unread by the failed read is dropped, not taken.
    EXPECT_EQ(1, zuzovEraVeRead(1, &v));
    EXPECT_EQ(0x42u, v);
    EXPECT_EQ(1, sim_is_open(dev));
}

} // namespace
