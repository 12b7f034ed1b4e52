// Fault sweep: every operation, with each driver call it makes failing in
// turn, and with its replies silent, cut short or garbage. After every
// fault the library must keep its promises: the right result, the caller's
// variable untouched by a failed read, no link left open by a failed
// discovery, no change to the unit table by a failed open, and a unit that
// works again on the next call once the fault is gone.
#include "sim_fixture.h"

#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int kUnit = 1;
constexpr uint32_t kOutput = 0x00C3;
constexpr uint32_t kInput = 0x1A2B;

struct Op {
    const char* name;
    bool needs_open;          // run on an open unit 1
    bool has_exchange;        // sends anything to a unit
    bool first_reply_is_data; // the first exchange parses a number
    uint8_t threshold;        // largest wait threshold of its exchanges
    // Runs the operation; true when it reports success.
    std::function<bool(zev_ulong* value)> run;
};

bool ok(int r) {
    return r == 1;
}
bool ok_plugin(short r) {
    return r == 0;
}

const std::vector<Op>& ops() {
    static const std::vector<Op> all = {
        {"Open", false, true, true, 3, [](zev_ulong*) { return ok(zuzovEraVeOpen(kUnit)); }},
        {"Close", true, false, false, 0, [](zev_ulong*) { return ok(zuzovEraVeClose(kUnit)); }},
        {"Dir", true, true, false, 1, [](zev_ulong*) { return ok(zuzovEraVeDir(kUnit, 0xF0)); }},
        {"DirH", true, true, false, 1, [](zev_ulong*) { return ok(zuzovEraVeDirH(kUnit, 1)); }},
        {"DirL", true, true, false, 1, [](zev_ulong*) { return ok(zuzovEraVeDirL(kUnit, 2)); }},
        {"Write", true, true, false, 1,
         [](zev_ulong*) { return ok(zuzovEraVeWrite(kUnit, kOutput)); }},
        {"WriteH", true, true, false, 1,
         [](zev_ulong*) { return ok(zuzovEraVeWriteH(kUnit, kOutput >> 8)); }},
        {"WriteL", true, true, false, 1,
         [](zev_ulong*) { return ok(zuzovEraVeWriteL(kUnit, kOutput & 0xFF)); }},
        {"Read", true, true, true, 5, [](zev_ulong* v) { return ok(zuzovEraVeRead(kUnit, v)); }},
        {"ReadH", true, true, true, 5, [](zev_ulong* v) { return ok(zuzovEraVeReadH(kUnit, v)); }},
        {"ReadL", true, true, true, 5, [](zev_ulong* v) { return ok(zuzovEraVeReadL(kUnit, v)); }},
        {"Readback", true, true, true, 5,
         [](zev_ulong* v) { return ok(zuzovEraVeReadback(kUnit, v)); }},
        {"UnitID", true, true, true, 3,
         [](zev_ulong* v) { return ok(zuzovEraVeUnitID(kUnit, v)); }},
        {"Bit", true, true, true, 1, [](zev_ulong*) { return ok(zuzovEraVeBit(kUnit, 0, 1)); }},
        {"Device_Open", false, true, true, 3,
         [](zev_ulong*) { return ok_plugin(Didovur6_Device_Open(kUnit)); }},
        {"Out", true, true, true, 1,
         [](zev_ulong*) { return ok_plugin(Didovur6_Out(kUnit, 0, 1)); }},
        {"In", true, true, true, 5,
         [](zev_ulong* v) {
             char bit = 0x55;
             const bool good = ok_plugin(Didovur6_In(kUnit, 0, &bit));
             if (bit != 0x55) {
                 *v = static_cast<zev_ulong>(bit);
             }
             return good;
         }},
    };
    return all;
}

bool is_open_op(const Op& op) {
    return op.name == std::string("Open") || op.name == std::string("Device_Open");
}

class FaultSweep : public SimTest {
  protected:
    // A device that is not the wanted unit, listed first so that discovery
    // probes and closes it, then unit 1.
    void set_up(const Op& op) {
        close_all_units();
        sim_reset();
        other_ = add_unit(0);
        dev_ = add_unit(kUnit, kOutput, kInput);
        if (op.needs_open) {
            ASSERT_EQ(1, zuzovEraVeOpen(kUnit));
        }
        sim_clear_logs();
    }

    // The promises that hold after any fault, once it is cleared.
    void check_after_fault(const Op& op, bool succeeded, const std::string& what) {
        SCOPED_TRACE(std::string(op.name) + ", " + what);
        ++faults_;
        for (int kind = 0; kind < SIM_CALL_KINDS; ++kind) {
            sim_fail_call(kind, 0, 0);
        }
        sim_set_silent(dev_, 0);
        sim_cut_replies(dev_, -1);
        EXPECT_EQ(0, sim_is_open(other_)) << "discovery left a probed link open";
        if (is_open_op(op) && !succeeded && sim_is_open(dev_) == 0) {
            // A failed discovery stores nothing: unit 1 is still not open.
            sim_clear_logs();
            EXPECT_EQ(0, zuzovEraVeWrite(kUnit, 1));
            EXPECT_EQ("", writes(dev_));
        }
        // The unit works again: open it if it is not, then a read-back must
        // return the unit's real output word.
        if (sim_is_open(dev_) == 0) {
            zuzovEraVeClose(kUnit);
            ASSERT_EQ(1, zuzovEraVeOpen(kUnit));
        }
        sim_set_words(dev_, 0, 0x5AA5, kInput);
        zev_ulong v = 0;
        EXPECT_EQ(1, zuzovEraVeReadback(kUnit, &v));
        EXPECT_EQ(0x5AA5u, v);
    }

    int other_ = -1;
    int dev_ = -1;
    uint32_t faults_ = 0;
};

// Driver calls whose failure the library is meant to ride out: the status
// code of the queue poll is not examined (the poll is simply repeated),
// discovery ignores the status of closing a device it probed, and goes on
// past the first device when the driver will not open it.
bool tolerated(const Op& op, int kind, uint32_t nth) {
    return kind == SIM_STATUS ||
           (is_open_op(op) && (kind == SIM_CLOSE || (kind == SIM_OPEN && nth == 0)));
}

TEST_F(FaultSweep, EveryDriverCallFailingInTurn) {
    for (const Op& op : ops()) {
        // A clean run tells how many calls of each kind the operation makes.
        set_up(op);
        uint32_t before[SIM_CALL_KINDS];
        for (int k = 0; k < SIM_CALL_KINDS; ++k) {
            before[k] = sim_calls(k);
        }
        zev_ulong v = 0;
        ASSERT_TRUE(op.run(&v)) << op.name;
        uint32_t made[SIM_CALL_KINDS];
        for (int k = 0; k < SIM_CALL_KINDS; ++k) {
            made[k] = sim_calls(k) - before[k];
        }
        for (int kind = 0; kind < SIM_CALL_KINDS; ++kind) {
            // Status polls repeat until the reply is there; a few are enough.
            const uint32_t n = kind == SIM_STATUS ? (made[kind] < 3 ? made[kind] : 3) : made[kind];
            for (uint32_t i = 0; i < n; ++i) {
                set_up(op);
                sim_fail_call(kind, i, 1);
                zev_ulong value = 0x77;
                const bool succeeded = op.run(&value);
                const std::string what =
                    "call kind " + std::to_string(kind) + " #" + std::to_string(i);
                EXPECT_EQ(tolerated(op, kind, i), succeeded) << op.name << ", " << what;
                if (!succeeded) {
                    EXPECT_EQ(0x77u, value) << op.name << ", " << what;
                }
                check_after_fault(op, succeeded, what);
            }
        }
    }
    std::printf("driver-call faults injected: %u\n", faults_);
}

struct ReplyFault {
    const char* name;
    int cut;             // -1: none
    bool silent;         //
    const char* garbage; // nullptr: none
};

const ReplyFault kReplyFaults[] = {
    {"silent", -1, true, nullptr},   {"cut_to_1", 1, false, nullptr},
    {"cut_to_4", 4, false, nullptr}, {"garbage", -1, false, "/?zG!"},
    {"blanks", -1, false, "     "},
};

class ReplyFaultSweep : public FaultSweep, public ::testing::WithParamInterface<ReplyFault> {};

TEST_P(ReplyFaultSweep, EveryOperation) {
    const ReplyFault& f = GetParam();
    for (const Op& op : ops()) {
        if (!op.has_exchange) {
            continue;
        }
        set_up(op);
        // Both devices misbehave, so discovery cannot fall back on the other.
        for (int dev : {other_, dev_}) {
            sim_set_silent(dev, f.silent ? 1 : 0);
            sim_cut_replies(dev, f.cut);
            if (f.garbage != nullptr) {
                sim_override_next_reply(dev, f.garbage, 5);
            }
        }
        zev_ulong value = 0x77;
        const auto start = std::chrono::steady_clock::now();
        const bool succeeded = op.run(&value);
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                            std::chrono::steady_clock::now() - start)
                            .count();
        bool expected;
        if (f.silent) {
            expected = false;
        } else if (f.cut >= 0) {
            // A reply cut below an exchange's threshold never ends its wait.
            expected = f.cut >= op.threshold;
        } else {
            // Garbage fails a data reply; any acknowledgement byte is good.
            expected = !op.first_reply_is_data;
        }
        EXPECT_EQ(expected, succeeded) << op.name;
        EXPECT_LT(ms, 4 * ZEV_REPLY_WAIT_LIMIT_MS) << op.name;
        if (!succeeded) {
            EXPECT_EQ(0x77u, value) << op.name;
        }
        check_after_fault(op, succeeded, f.name);
    }
    std::printf("reply faults injected (%s): %u\n", f.name, faults_);
}

INSTANTIATE_TEST_SUITE_P(Faults, ReplyFaultSweep, ::testing::ValuesIn(kReplyFaults),
                         [](const ::testing::TestParamInfo<ReplyFault>& param) {
                             return std::string(param.param.name);
                         });

} // namespace
