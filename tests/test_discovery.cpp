// Discovery (zuzovEraVeOpen) and zuzovEraVeClose.
#include "sim_fixture.h"

#include <chrono>

namespace {

const char kSetUp[] = "open baud=115200 timeouts=250,250 data=8,0,0";

class Discovery : public SimTest {};

TEST_F(Discovery, NoDeviceOpensNothing) {
    EXPECT_EQ(0, zuzovEraVeOpen(0));
    EXPECT_EQ(1u, sim_calls(SIM_LIST));
    EXPECT_EQ(0u, sim_calls(SIM_OPEN));
    EXPECT_EQ(0u, sim_calls(SIM_WRITE));
}

TEST_F(Discovery, ProbesMatchingDevicesInOrderAndKeepsOnlyTheWantedOne) {
    const int a = add_unit(1);
    const int b = add_unit(2);
    const int c = add_unit(3);
    const int d = add_unit(4);
    ASSERT_EQ(1, zuzovEraVeOpen(3));
    EXPECT_EQ(std::string(kSetUp) + " w=FFU/ r3=01/ close", log(a));
    EXPECT_EQ(std::string(kSetUp) + " w=FFU/ r3=02/ close", log(b));
    EXPECT_EQ(std::string(kSetUp) + " w=FFU/ r3=03/", log(c));
    EXPECT_EQ("", log(d)); // the scan stops at the match
    EXPECT_EQ(1, sim_open_devices());

    // The kept link drives the unit that reported 3.
    sim_clear_logs();
    EXPECT_EQ(1, zuzovEraVeWrite(3, 0x00FF));
    EXPECT_EQ("03O00FF/", writes(c));
    EXPECT_EQ(1, zuzovEraVeClose(3));
    EXPECT_EQ(0, sim_open_devices());
}

TEST_F(Discovery, SkipsDevicesThatAreNotUnitsWithoutOpeningThem) {
    const int foreign_id = sim_add_device(0x04036010u, SIM_UNIT_DESCRIPTION, 1);
    const int longer = sim_add_device(SIM_UNIT_ID, "ZERUVUVEX", 1);
    const int shorter = sim_add_device(SIM_UNIT_ID, "ZERUVUV", 1);
    const int lower = sim_add_device(SIM_UNIT_ID, "zeruvuve", 1);
    const int unit = add_unit(1);
    EXPECT_EQ(1, zuzovEraVeOpen(1));
    for (int dev : {foreign_id, longer, shorter, lower}) {
        EXPECT_EQ("", log(dev)) << dev;
    }
    EXPECT_EQ(1, sim_is_open(unit));
}

TEST_F(Discovery, TakesTheFirstOfTwoUnitsWithTheSameNumber) {
    const int first = add_unit(5);
    const int second = add_unit(5);
    EXPECT_EQ(1, zuzovEraVeOpen(5));
    EXPECT_EQ(1, sim_is_open(first));
    EXPECT_EQ("", log(second));
}

TEST_F(Discovery, RefusesUnit256AndAboveBeforeAnyTraffic) {
    add_unit(0);
    const zev_ulong units[] = {256, 257, 0xFFFFFFFFu};
    for (zev_ulong unit : units) {
        EXPECT_EQ(0, zuzovEraVeOpen(unit));
    }
    EXPECT_EQ(0u, sim_calls(SIM_LIST));
    EXPECT_EQ(0u, sim_calls(SIM_OPEN));
}

TEST_F(Discovery, ClosesDevicesWhoseReplyIsUnusableAndGoesOn) {
    struct Case {
        const char* reply;
    };
    const Case cases[] = {{"-1/"}, {"/05"}, {"1FF"}, {"  /"}};
    for (const Case& c : cases) {
        sim_reset();
        const int odd = add_unit(5);
        const int good = add_unit(5);
        sim_override_next_reply(odd, c.reply, 3);
        EXPECT_EQ(1, zuzovEraVeOpen(5)) << c.reply;
        EXPECT_EQ(std::string(kSetUp) + " w=FFU/ r3=" + c.reply + " close", log(odd));
        EXPECT_EQ(1, sim_is_open(good)) << c.reply;
        EXPECT_EQ(1, zuzovEraVeClose(5));
    }
}

TEST_F(Discovery, NumberAbove255NeverMatches) {
    // -1 converts to 0xFFFFFFFF, which is above 255 even when asked for.
    const int dev = add_unit(0);
    sim_override_next_reply(dev, "-1/", 3);
    EXPECT_EQ(0, zuzovEraVeOpen(0xFFFFFFFFul));
    EXPECT_EQ(0, sim_open_devices());
}

TEST_F(Discovery, GoesOnPastADeviceTheDriverWillNotOpen) {
    const int zero = add_unit(0);
    const int one = add_unit(1);
    ASSERT_EQ(1, zuzovEraVeOpen(0));
    sim_clear_logs();
    // Unit 0 is open, so the driver refuses it; unit 1 must still be found.
    EXPECT_EQ(1, zuzovEraVeOpen(1));
    EXPECT_EQ("open-refused", log(zero));
    EXPECT_EQ(1, sim_is_open(one));

    // The same when the driver fails the open outright.
    EXPECT_EQ(1, zuzovEraVeClose(1));
    sim_fail_call(SIM_OPEN, 0, 1);
    EXPECT_EQ(1, zuzovEraVeOpen(1));
    EXPECT_EQ(1, sim_is_open(one));
}

TEST_F(Discovery, SilentDeviceIsClosedWithinTheWaitLimitAndSkipped) {
    const int silent = add_unit(3);
    const int good = add_unit(3);
    sim_set_silent(silent, 1);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(1, zuzovEraVeOpen(3));
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::steady_clock::now() - start)
                        .count();
    EXPECT_GE(ms, ZEV_REPLY_WAIT_LIMIT_MS - 20);
    EXPECT_LT(ms, ZEV_REPLY_WAIT_LIMIT_MS + 1000);
    EXPECT_EQ(0, sim_is_open(silent));
    EXPECT_EQ(1, sim_is_open(good));
}

// Driver failures that end the scan: the result is 0, the device being
// probed is closed again, and the device after it is never examined.
TEST_F(Discovery, DriverFailuresEndTheScanAndLeaveNothingOpen) {
    struct Case {
        SimCall call;
        const char* probed_log;
    };
    const Case cases[] = {
        {SIM_LIST, ""},
        {SIM_INFO, ""},
        {SIM_BAUD, "open baud! close"},
        {SIM_TIMEOUTS, "open baud=115200 timeouts! close"},
        {SIM_DATA, "open baud=115200 timeouts=250,250 data! close"},
        {SIM_WRITE, "open baud=115200 timeouts=250,250 data=8,0,0 w! close"},
        {SIM_READ, "open baud=115200 timeouts=250,250 data=8,0,0 w=FFU/ r! close"},
    };
    for (const Case& c : cases) {
        sim_reset();
        const int probed = add_unit(1);
        const int wanted = add_unit(2);
        sim_fail_call(c.call, 0, 1);
        EXPECT_EQ(0, zuzovEraVeOpen(2)) << c.call;
        EXPECT_EQ(std::string(c.probed_log), log(probed)) << c.call;
        EXPECT_EQ("", log(wanted)) << c.call;
        EXPECT_EQ(0, sim_open_devices()) << c.call;
    }
}

TEST_F(Discovery, FailedOpenLeavesTheSlotAsItWas) {
    const int dev = add_unit(4);
    ASSERT_EQ(1, zuzovEraVeOpen(4));
    sim_set_unit(dev, 4);
    // Nothing else reports 4: the open fails and the old link still works.
    EXPECT_EQ(0, zuzovEraVeOpen(4));
    sim_clear_logs();
    EXPECT_EQ(1, zuzovEraVeWrite(4, 1));
    EXPECT_EQ("04O0001/", writes(dev));
}

TEST_F(Discovery, ReplacingALinkClosesTheOldOne) {
    // Two devices both report 6; the first is held, so a second open of 6
    // finds the other one and must not leak the first link.
    const int first = add_unit(6);
    const int second = add_unit(6);
    ASSERT_EQ(1, zuzovEraVeOpen(6));
    ASSERT_EQ(1, zuzovEraVeOpen(6));
    EXPECT_EQ(0, sim_is_open(first));
    EXPECT_EQ(1, sim_is_open(second));
    EXPECT_EQ(1, zuzovEraVeClose(6));
    EXPECT_EQ(0, sim_open_devices());
}

TEST_F(Discovery, CloseReleasesTheLinkOnceAndSendsNothing) {
    const int dev = add_unit(2);
    EXPECT_EQ(0, zuzovEraVeClose(2)); // never opened
    EXPECT_EQ(0, zuzovEraVeClose(256));
    ASSERT_EQ(1, zuzovEraVeOpen(2));
    sim_clear_logs();
    EXPECT_EQ(1, zuzovEraVeClose(2));
    EXPECT_EQ("close", log(dev));
    EXPECT_EQ(0, zuzovEraVeClose(2));
    zev_ulong v = 0;
    EXPECT_EQ(0, zuzovEraVeRead(2, &v));
    EXPECT_EQ(0, zuzovEraVeWrite(2, 1));
    EXPECT_EQ("close", log(dev));
}

TEST_F(Discovery, CloseReportsADriverFailureButStillEmptiesTheSlot) {
    add_unit(2);
    ASSERT_EQ(1, zuzovEraVeOpen(2));
    sim_fail_call(SIM_CLOSE, 0, 1);
    EXPECT_EQ(0, zuzovEraVeClose(2));
    EXPECT_EQ(0, zuzovEraVeClose(2));
}

} // namespace
