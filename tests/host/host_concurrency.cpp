// Several threads of one host calling the library at once: single-bit
// changes on one unit, reads on the same unit, writes on other units,
// discovery from several threads, and a slow unit next to a fast one.
#include "calls.h"
#include "check.h"
#include "host_main.h"

#include <sim.h>

namespace {

constexpr uint32_t kBitThreads = 4; // thread i owns bits i, i + 4, i + 8, i + 12
constexpr uint32_t kRounds = 800;
constexpr uint32_t kReaderThread = kBitThreads;
constexpr uint32_t kWriterThreads = 2; // one each on units 2 and 3
constexpr uint32_t kThreads = kBitThreads + 1 + kWriterThreads;
constexpr uint32_t kInputWord = 0x1A2B;

uint32_t g_lost_updates;  // a thread's own bit not as it last left it
uint32_t g_wrong_replies; // a read that got someone else's reply
uint32_t g_failed_calls;  // a call that should have succeeded failed
uint32_t g_final_word;    // the output word all bit threads together expect

void count(uint32_t* counter, uint32_t n = 1) {
    __atomic_fetch_add(counter, n, __ATOMIC_RELAXED);
}

uint32_t popcount(uint32_t v) {
    uint32_t n = 0;
    for (; v != 0; v &= v - 1) {
        ++n;
    }
    return n;
}

void bit_thread(uint32_t i) {
    uint32_t mine = 0; // this thread's bits as it last set them
    const uint32_t mask = (1u << i) | (1u << (i + 4)) | (1u << (i + 8)) | (1u << (i + 12));
    for (uint32_t r = 0; r < kRounds; ++r) {
        const uint32_t bit = i + 4 * (r % 4);
        const int on = static_cast<int>(((r / 4) + i) % 2);
        if (Bit(1, bit, on) != 1) {
            count(&g_failed_calls);
            continue;
        }
        mine = on != 0 ? (mine | (1u << bit)) : (mine & ~(1u << bit));
        if (r % 8 == 7) {
            zev_ulong word = 0;
            if (Readback(1, &word) != 1) {
                count(&g_failed_calls);
            } else {
                count(&g_lost_updates, popcount((static_cast<uint32_t>(word) ^ mine) & mask));
            }
        }
    }
    __atomic_fetch_or(&g_final_word, mine, __ATOMIC_RELAXED);
}

void reader_thread(uint32_t) {
    for (uint32_t r = 0; r < kRounds; ++r) {
        zev_ulong v = 0;
        if (Read(1, &v) != 1) {
            count(&g_failed_calls);
        } else if (v != kInputWord) {
            count(&g_wrong_replies);
        }
        if (UnitID(1, &v) != 1) {
            count(&g_failed_calls);
        } else if (v != 1) {
            count(&g_wrong_replies);
        }
    }
}

void writer_thread(uint32_t i) {
    const zev_ulong unit = 2 + i;
    for (uint32_t r = 0; r < kRounds; ++r) {
        const zev_ulong value = (unit << 12) | r;
        zev_ulong v = 0;
        if (Write(unit, value) != 1 || Readback(unit, &v) != 1) {
            count(&g_failed_calls);
        } else if (v != value) {
            count(&g_wrong_replies);
        }
    }
}

void stress_thread(uint32_t index) {
    if (index < kBitThreads) {
        bit_thread(index);
    } else if (index == kReaderThread) {
        reader_thread(index);
    } else {
        writer_thread(index - kReaderThread - 1);
    }
}

void report_figure(const char* name, uint32_t value) {
    out("    ");
    out(name);
    out(": ");
    out_dec(value);
    out("\n");
}

void threads_share_units_without_losing_anything() {
    int devs[4];
    for (int u = 1; u <= 3; ++u) {
        devs[u] = sim_add_device(SIM_UNIT_ID, SIM_UNIT_DESCRIPTION, u);
        sim_set_words(devs[u], 0, 0, kInputWord);
        CHECK_EQ(Open(static_cast<zev_ulong>(u)), 1);
    }
    sim_clear_logs();
    g_lost_updates = g_wrong_replies = g_failed_calls = g_final_word = 0;

    host_run_threads(kThreads, stress_thread);

    zev_ulong word = 0;
    CHECK_EQ(Readback(1, &word), 1);
    const uint32_t final_lost = popcount(static_cast<uint32_t>(word) ^ g_final_word);
    uint32_t overlapped = 0;
    for (int u = 1; u <= 3; ++u) {
        SimStats stats{};
        sim_stats(devs[u], &stats);
        overlapped += stats.overlapped_writes;
    }
    out("    ");
    out_dec(kThreads);
    out(" threads, ");
    out_dec(kBitThreads * (kRounds + kRounds / 8) + 2 * kRounds + kWriterThreads * 2 * kRounds);
    out(" calls\n");
    report_figure("lost bit updates seen by their writers", g_lost_updates);
    report_figure("bits of the final word not as last written", final_lost);
    report_figure("replies that reached the wrong caller", g_wrong_replies);
    report_figure("calls that failed", g_failed_calls);
    report_figure("commands sent over an unread reply", overlapped);
    CHECK_EQ(g_lost_updates, 0);
    CHECK_EQ(final_lost, 0);
    CHECK_EQ(g_wrong_replies, 0);
    CHECK_EQ(g_failed_calls, 0);
    CHECK_EQ(overlapped, 0);
}

constexpr uint32_t kOpenThreads = 4;
constexpr uint32_t kOpenRounds = 100;
uint32_t g_failed_opens;

void open_close_thread(uint32_t i) {
    for (uint32_t r = 0; r < kOpenRounds; ++r) {
        if (Open(i) != 1) {
            count(&g_failed_opens);
            continue;
        }
        if (Close(i) != 1) {
            count(&g_failed_calls);
        }
    }
}

void concurrent_discovery_finds_every_unit() {
    for (uint32_t u = 0; u < kOpenThreads; ++u) {
        sim_add_device(SIM_UNIT_ID, SIM_UNIT_DESCRIPTION, static_cast<int>(u));
    }
    g_failed_opens = g_failed_calls = 0;
    host_run_threads(kOpenThreads, open_close_thread);
    report_figure("opens that missed their unit", g_failed_opens);
    CHECK_EQ(g_failed_opens, 0);
    CHECK_EQ(g_failed_calls, 0);
    CHECK_EQ(sim_open_devices(), 0);
}

uint32_t g_writes_before;
uint64_t g_fast_call_ms;
int g_fast_result;

void slow_and_fast_thread(uint32_t index) {
    if (index == 0) {
        Write(5, 1); // unit 5 is silent: this call waits until it gives up
        return;
    }
    // Once the slow call's command is out, a call on unit 6 must not wait.
    const uint64_t deadline = host_now_ms() + 2000;
    while (sim_calls(SIM_WRITE) == g_writes_before && host_now_ms() < deadline) {
    }
    const uint64_t start = host_now_ms();
    g_fast_result = Write(6, 1);
    g_fast_call_ms = host_now_ms() - start;
}

void a_silent_unit_does_not_hold_up_another() {
    const int slow = sim_add_device(SIM_UNIT_ID, SIM_UNIT_DESCRIPTION, 5);
    sim_add_device(SIM_UNIT_ID, SIM_UNIT_DESCRIPTION, 6);
    CHECK_EQ(Open(5), 1);
    CHECK_EQ(Open(6), 1);
    sim_set_silent(slow, 1);
    g_writes_before = sim_calls(SIM_WRITE);
    host_run_threads(2, slow_and_fast_thread);
    CHECK_EQ(g_fast_result, 1);
    CHECK(g_fast_call_ms < ZEV_REPLY_WAIT_LIMIT_MS / 2);
}

} // namespace

void run_concurrency_tests() {
    run("threads on shared units", threads_share_units_without_losing_anything);
    run("concurrent discovery", concurrent_discovery_finds_every_unit);
    run("silent unit beside a live one", a_silent_unit_does_not_hold_up_another);
}
