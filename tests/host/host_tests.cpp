// End-to-end checks of one library as a host program uses it, against the
// simulated driver: the wire bytes of typical requests, every export, the
// plug-in variant's edge cases, the shared unit table, bounded waits.
#include "calls.h"
#include "check.h"
#include "host_main.h"

#include <sim.h>

namespace {

// ---- the variant under test ----

#if defined(HOST_ZUVIVID)
constexpr short kHighest = 3;
#else
constexpr short kHighest = 15;
#endif

struct OutCase {
    int channel;
    int bit; // -1: refused before any traffic
};
struct InCase {
    int channel;
    uint32_t word;
    char expected;
};

#if defined(HOST_ZUVIVID)
const OutCase kOutCases[] = {{0, 0}};
const InCase kInCases[] = {{0, 0x0001, 1}, {0, 0xFFFE, 0}};
constexpr int kChannelOfBit5 = 0; // one channel only: see typical_requests
#elif defined(HOST_DIDOVUR6)
const OutCase kOutCases[] = {{0, 0}, {5, 5}, {15, 15}, {16, -1}, {127, -1}, {128, -1}, {255, -1}};
const InCase kInCases[] = {{3, 0x0008, 1},   {3, 0xFFF7, 0},  {0, 0x0001, 1},  {15, 0x8000, 1},
                           {20, 0xFFFF, 0},  {31, 0xFFFF, 0}, {32, 0x0001, 1}, {33, 0x0002, 1},
                           {224, 0x0001, 1}, {255, 0xFFFF, 0}};
constexpr int kChannelOfBit5 = 5;
#elif defined(HOST_DADADAZ4)
const OutCase kOutCases[] = {{0, 1},    {4, 5},    {14, 15},  {15, -1},
                             {126, -1}, {127, -1}, {254, -1}, {255, 0}};
const InCase kInCases[] = {{0, 0x0002, 1},  {0, 0xFFFD, 0},  {14, 0x8000, 1},  {15, 0xFFFF, 0},
                           {30, 0xFFFF, 0}, {31, 0x0001, 1}, {255, 0x0001, 1}, {32, 0x0002, 1}};
constexpr int kChannelOfBit5 = 4;
#endif

// ---- helpers ----

int add_unit(int unit, uint32_t output = 0, uint32_t input = 0) {
    const int dev = sim_add_device(SIM_UNIT_ID, SIM_UNIT_DESCRIPTION, unit);
    sim_set_words(dev, 0, output, input);
    return dev;
}

int open_unit(int unit, uint32_t output = 0, uint32_t input = 0) {
    const int dev = add_unit(unit, output, input);
    CHECK_EQ(Open(static_cast<zev_ulong>(unit)), 1);
    sim_clear_logs();
    return dev;
}

// "<uu>O/ <uu>O<wwww>/": the two commands of a single-bit change.
const char* bit_commands(int unit, uint32_t word) {
    static char text[32];
    const char* hex = "0123456789ABCDEF";
    int n = 0;
    auto put2 = [&](uint32_t v) {
        text[n++] = hex[(v >> 4) & 0xF];
        text[n++] = hex[v & 0xF];
    };
    put2(static_cast<uint32_t>(unit));
    text[n++] = 'O';
    text[n++] = '/';
    text[n++] = ' ';
    put2(static_cast<uint32_t>(unit));
    text[n++] = 'O';
    put2(word >> 8);
    put2(word & 0xFF);
    text[n++] = '/';
    text[n] = '\0';
    return text;
}

uint32_t traffic() {
    return sim_calls(SIM_LIST) + sim_calls(SIM_OPEN) + sim_calls(SIM_WRITE);
}

// ---- groups ----

void typical_requests() {
    const int dev3 = open_unit(3);
    CHECK_EQ(Write(3, 0x00FF), 1);
    CHECK_STR(sim_writes(dev3), "03O00FF/");

    const int dev2 = open_unit(2, HOST_HAS_CHANNEL ? 0x0001 : 0x0020);
    CHECK_EQ(Out(2, kChannelOfBit5, 1), 0);
    CHECK_STR(sim_writes(dev2), "02O/ 02O0021/");
    CHECK_EQ(sim_output(dev2), 0x0021);
}

void every_port_export() {
    const int dev = open_unit(1, 0x00C3, 0x1A2B);
    zev_ulong v = 0;
    CHECK_EQ(Dir(1, 0x12345), 1);
    CHECK_STR(sim_writes(dev), "01D12345/");
    sim_clear_logs();
    CHECK_EQ(DirH(1, 255), 1);
    CHECK_EQ(DirL(1, 0x0F), 1);
    CHECK_EQ(DirL(1, 300), 0);
    CHECK_STR(sim_writes(dev), "01DHFF/ 01DL0F/");
    CHECK_EQ(sim_direction(dev), 0xFF0F);
    sim_clear_logs();
    CHECK_EQ(WriteH(1, 0xA5), 1);
    CHECK_EQ(WriteL(1, 0x5A), 1);
    CHECK_EQ(WriteH(1, 256), 0);
    CHECK_EQ(Write(1, 0x1FFFF), 1);
    CHECK_STR(sim_writes(dev), "01OHA5/ 01OL5A/ 01O1FFFF/");
    sim_set_words(dev, 0, 0x00C3, 0x1A2B);
    sim_clear_logs();
    CHECK_EQ(Read(1, &v), 1);
    CHECK_EQ(v, 0x1A2B);
    CHECK_EQ(ReadH(1, &v), 1);
    CHECK_EQ(v, 0x1A);
    CHECK_EQ(ReadL(1, &v), 1);
    CHECK_EQ(v, 0x2B);
    CHECK_EQ(Readback(1, &v), 1);
    CHECK_EQ(v, 0x00C3);
    CHECK_EQ(UnitID(1, &v), 1);
    CHECK_EQ(v, 1);
    CHECK_EQ(Read(1, nullptr), 0);
    CHECK_STR(sim_writes(dev), "01I/ 01I/ 01I/ 01O/ 01U/");
    sim_clear_logs();
    CHECK_EQ(Bit(1, 0, 0), 1);
    CHECK_EQ(Bit(1, 16, 1), 0);
    CHECK_STR(sim_writes(dev), "01O/ 01O00C2/");
    // A negative reply converts modulo 2^32 in every build.
    sim_override_next_reply(dev, "-001/", 5);
    CHECK_EQ(Read(1, &v), 1);
    CHECK_EQ(v, 0xFFFFFFFFu);
    sim_clear_logs();
    CHECK_EQ(Close(1), 1);
    CHECK_EQ(Close(1), 0);
    CHECK_EQ(Write(1, 0), 0);
    CHECK_STR(sim_log(dev), "close");
    CHECK_EQ(Open(256), 0);
}

void plugin_refuses_units_outside_the_range() {
    add_unit(kHighest + 1);
    const short refused[] = {-1, -32768, static_cast<short>(kHighest + 1), 16, 255, 256, 32767};
    for (short unit : refused) {
        char v = 7;
        CHECK_EQ(DeviceOpen(unit), 1);
        CHECK_EQ(Out(unit, 0, 1), 1);
        CHECK_EQ(In(unit, 0, &v), 1);
        DeviceClose(unit);
        CHECK_EQ(v, 7);
    }
    CHECK_EQ(traffic(), 0);
}

void plugin_open_and_close() {
    const int dev = add_unit(kHighest);
    CHECK_EQ(DeviceOpen(kHighest), 0);
    CHECK_STR(sim_writes(dev), kHighest == 3 ? "FFU/ 03D0001/" : "FFU/ 0FD0001/");
    CHECK_EQ(sim_direction(dev), 0x0001);
    DeviceClose(kHighest);
    CHECK_EQ(sim_is_open(dev), 0);
    CHECK_EQ(DeviceOpen(0), 1); // no unit 0 attached

    // A failed direction write fails the open but leaves the unit usable.
    sim_fail_call(SIM_WRITE, 1, 1);
    CHECK_EQ(DeviceOpen(kHighest), 1);
    CHECK_EQ(sim_is_open(dev), 1);
    char v = 9;
    CHECK_EQ(In(kHighest, 0, &v), 0);
    DeviceClose(kHighest);

    // Device_Close of a unit outside the range leaves it alone.
    const int outside = add_unit(kHighest + 1);
    CHECK_EQ(Open(static_cast<zev_ulong>(kHighest + 1)), 1);
    DeviceClose(kHighest + 1);
    CHECK_EQ(sim_is_open(outside), 1);
}

void plugin_out_maps_channels_to_bits() {
    const int dev = open_unit(1);
    for (const OutCase& c : kOutCases) {
        sim_set_words(dev, 0, 0x0000, 0);
        sim_clear_logs();
        const uint32_t before = traffic();
        if (c.bit < 0) {
            CHECK_EQ(Out(1, c.channel, 1), 1);
            CHECK_EQ(traffic(), before);
            continue;
        }
        CHECK_EQ(Out(1, c.channel, 1), 0);
        CHECK_EQ(sim_output(dev), 1u << c.bit);
        CHECK_STR(sim_writes(dev), bit_commands(1, 1u << c.bit));
        CHECK_EQ(Out(1, c.channel, 0), 0);
        CHECK_EQ(sim_output(dev), 0);
    }
    sim_clear_logs();
    CHECK_EQ(Out(1, kOutCases[0].channel, 2), 1);
    CHECK_EQ(Out(1, kOutCases[0].channel, -1), 1);
    CHECK_STR(sim_writes(dev), "");
    // Out and In on a unit that is not open fail.
    char v = 5;
    CHECK_EQ(Out(2, kOutCases[0].channel, 1), 1);
    CHECK_EQ(In(2, kOutCases[0].channel, &v), 1);
    CHECK_EQ(v, 5);
}

void plugin_in_reads_the_output_word_back() {
    const int dev = open_unit(1, 0, 0xFFFF);
    for (const InCase& c : kInCases) {
        sim_set_words(dev, 0, c.word, c.word ^ 0xFFFFu);
        sim_clear_logs();
        char v = 7;
        CHECK_EQ(In(1, c.channel, &v), 0);
        CHECK_EQ(v, c.expected);
        CHECK_STR(sim_writes(dev), "01O/");
    }
    sim_clear_logs();
    CHECK_EQ(In(1, 0, nullptr), 1);
    CHECK_STR(sim_writes(dev), "");
    char v = 4;
    sim_override_next_reply(dev, "/0001", 5);
    CHECK_EQ(In(1, 0, &v), 1);
    CHECK_EQ(v, 4);
}

void both_interfaces_share_the_unit_table() {
    const int one = add_unit(1, 0x0000);
    CHECK_EQ(Open(1), 1);
    CHECK_EQ(Out(1, kOutCases[0].channel, 1), 0);
    CHECK_EQ(sim_output(one), 1u << kOutCases[0].bit);

    const int two = add_unit(2);
    CHECK_EQ(DeviceOpen(2), 0);
    CHECK_EQ(Write(2, 0x0F0F), 1);
    CHECK_EQ(sim_output(two), 0x0F0F);
    CHECK_EQ(Close(2), 1);
    char v = 0;
    CHECK_EQ(In(2, 0, &v), 1);
}

void silent_unit_fails_within_the_wait_limit() {
    const int dev = open_unit(1);
    sim_set_silent(dev, 1);
    uint64_t start = host_now_ms();
    CHECK_EQ(Write(1, 1), 0);
    uint64_t ms = host_now_ms() - start;
    CHECK(ms >= ZEV_REPLY_WAIT_LIMIT_MS - 50 && ms < 3000);
    start = host_now_ms();
    CHECK_EQ(Out(1, kOutCases[0].channel, 1), 1);
    ms = host_now_ms() - start;
    CHECK(ms < 3000);
    sim_set_silent(dev, 0);
    CHECK_EQ(Write(1, 1), 1);
}

void discovery_goes_past_a_foreign_device() {
    sim_add_device(0x04036015u, "USB <-> Serial", -1);
    const int dev = add_unit(0);
    CHECK_EQ(DeviceOpen(0), 0);
    CHECK_EQ(sim_is_open(dev), 1);
    CHECK_EQ(sim_open_devices(), 1);
}

#if HOST_CHECKS_STACK
extern "C" __attribute__((noinline)) int __cdecl host_cdecl_victim(zev_ulong a) {
    return static_cast<int>(a);
}

void stack_check_catches_a_wrong_convention() {
    // Calling a cdecl function through a stdcall pointer leaves its
    // argument on the stack; the check must see it.
    int(__stdcall* volatile wrong)(zev_ulong) =
        reinterpret_cast<int(__stdcall*)(zev_ulong)>(reinterpret_cast<void*>(&host_cdecl_victim));
    const uint32_t before = g_unbalanced;
    out("(a deliberate wrong-convention call follows)\n");
    CALLED(wrong(5));
    CHECK_EQ(g_unbalanced, before + 1);
    g_unbalanced = before;
}
#endif

} // namespace

void run_functional_tests() {
    run("typical requests", typical_requests);
    run("every port export", every_port_export);
    run("plug-in unit range", plugin_refuses_units_outside_the_range);
    run("plug-in open and close", plugin_open_and_close);
    run("plug-in Out channel to bit", plugin_out_maps_channels_to_bits);
    run("plug-in In reads back", plugin_in_reads_the_output_word_back);
    run("shared unit table", both_interfaces_share_the_unit_table);
    run("bounded wait", silent_unit_fails_within_the_wait_limit);
    run("discovery past a foreign device", discovery_goes_past_a_foreign_device);
#if HOST_CHECKS_STACK
    run("stack check", stack_check_catches_a_wrong_convention);
#endif
}
