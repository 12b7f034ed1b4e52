// Demo: drives a simulated unit through one library's port and plug-in
// functions and prints each call with the bytes that went over the wire and
// the unit's replies. Built for each library (HOST_* as for the test hosts)
// and runs natively and under wine.
#include "../tests/host/api.h"
#include "../tests/host/host_io.h"
#include "../tests/host/out.h"

#include <sim.h>

namespace {

int g_dev;

// Prints the wire traffic logged since the last call: commands sent and
// reply bytes read; link settings in brackets.
void show_traffic() {
    const char* p = sim_log(g_dev);
    while (*p != '\0') {
        const char* end = p;
        while (*end != '\0' && *end != ' ') {
            ++end;
        }
        const char* eq = p;
        while (eq < end && *eq != '=') {
            ++eq;
        }
        if (p[0] == 'w' && eq == p + 1) {
            out("        sent   ");
            host_write(eq + 1, static_cast<uint32_t>(end - eq - 1));
        } else if (p[0] == 'r' && eq < end) {
            out("        reply  ");
            host_write(eq + 1, static_cast<uint32_t>(end - eq - 1));
            if (eq + 1 == end) {
                out("(nothing)");
            }
        } else {
            out("        [");
            host_write(p, static_cast<uint32_t>(end - p));
            out("]");
        }
        out("\n");
        p = *end == ' ' ? end + 1 : end;
    }
    sim_clear_logs();
}

void show(const char* call, int result) {
    out(call);
    out("  ->  ");
    out_dec(static_cast<uint64_t>(result));
    out("\n");
    show_traffic();
}

void show_value(const char* call, int result, zev_ulong value) {
    out(call);
    out("  ->  ");
    out_dec(static_cast<uint64_t>(result));
    out(", value ");
    out_hex(value);
    out("\n");
    show_traffic();
}

} // namespace

int host_main() {
    sim_reset();
    sim_add_device(0x04036015u, "USB <-> Serial", -1);
    g_dev = sim_add_device(SIM_UNIT_ID, SIM_UNIT_DESCRIPTION, 3);
    sim_set_words(g_dev, 0, 0x0000, 0x1A2B);
    out("== " HOST_LIBRARY ": simulated bus with an unrelated USB serial adapter, then unit 3\n");

    zev_ulong v = 0;
    show("zuzovEraVeOpen(3)", zuzovEraVeOpen(3));
    show("zuzovEraVeDir(3, 0x00FF)", zuzovEraVeDir(3, 0x00FF));
    show("zuzovEraVeWrite(3, 0x00FF)", zuzovEraVeWrite(3, 0x00FF));
    show("zuzovEraVeWriteH(3, 0x12)", zuzovEraVeWriteH(3, 0x12));
    show("zuzovEraVeBit(3, 5, 0)", zuzovEraVeBit(3, 5, 0));
    int r = zuzovEraVeReadback(3, &v);
    show_value("zuzovEraVeReadback(3, &v)", r, v);
    r = zuzovEraVeRead(3, &v);
    show_value("zuzovEraVeRead(3, &v)", r, v);
    r = zuzovEraVeReadL(3, &v);
    show_value("zuzovEraVeReadL(3, &v)", r, v);
    r = zuzovEraVeUnitID(3, &v);
    show_value("zuzovEraVeUnitID(3, &v)", r, v);
    show("zuzovEraVeWriteH(3, 256)   (refused: nothing sent)", zuzovEraVeWriteH(3, 256));

    char bit = 0;
#if defined(HOST_DADADAZ4)
    // Channel 4 is bit 5 here.
    show("Dadadaz4_Out(3, 4, 1)", Dadadaz4_Out(3, 4, 1));
    r = Dadadaz4_In(3, 4, &bit);
    show_value("Dadadaz4_In(3, 4, &bit)", r, static_cast<zev_ulong>(bit));
#elif HOST_HAS_CHANNEL
    show(HOST_STR(HOST_PREFIX) "_Out(3, 5, 1)", HOST_PLUGIN(Out)(3, 5, 1));
    r = HOST_PLUGIN(In)(3, 5, &bit);
    show_value(HOST_STR(HOST_PREFIX) "_In(3, 5, &bit)", r, static_cast<zev_ulong>(bit));
#else
    show(HOST_STR(HOST_PREFIX) "_Out(3, 0)", HOST_PLUGIN(Out)(3, 0));
    r = HOST_PLUGIN(In)(3, &bit);
    show_value(HOST_STR(HOST_PREFIX) "_In(3, &bit)", r, static_cast<zev_ulong>(bit));
#endif

    sim_set_silent(g_dev, 1);
    const uint64_t start = host_now_ms();
    r = zuzovEraVeWrite(3, 1);
    const uint64_t ms = host_now_ms() - start;
    show("zuzovEraVeWrite(3, 1)   (unit silent)", r);
    out("        gave up after ");
    out_dec(ms);
    out(" ms\n");
    sim_set_silent(g_dev, 0);
    HOST_PLUGIN(Device_Close)(3);
    out(HOST_STR(HOST_PREFIX) "_Device_Close(3)\n");
    show_traffic();
    show("zuzovEraVeClose(3)   (already closed)", zuzovEraVeClose(3));
    return 0;
}
