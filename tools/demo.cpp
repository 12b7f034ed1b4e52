// Demo: drives a simulated unit through the port functions and prints each
// call with the bytes that went over the wire and the unit's replies.
#include <sim.h>
#include <zuzovEraVe.h>

#include <cstdio>
#include <cstring>

namespace {

int g_dev;

void show(const char* call, int result) {
    std::printf("%-34s -> %d\n", call, result);
    const char* log = sim_log(g_dev);
    // Only the wire traffic: writes and reads.
    const char* p = log;
    while (*p != '\0') {
        const char* end = std::strchr(p, ' ');
        const size_t n = end != nullptr ? static_cast<size_t>(end - p) : std::strlen(p);
        if (n > 2 && p[0] == 'w' && p[1] == '=') {
            std::printf("      sent  %.*s\n", static_cast<int>(n - 2), p + 2);
        } else if (n > 1 && p[0] == 'r') {
            const char* eq = static_cast<const char*>(std::memchr(p, '=', n));
            if (eq != nullptr) {
                std::printf("      reply %.*s\n", static_cast<int>(n - static_cast<size_t>(eq + 1 - p)),
                            eq + 1);
            }
        } else {
            std::printf("      (%.*s)\n", static_cast<int>(n), p);
        }
        p = end != nullptr ? end + 1 : p + n;
    }
    sim_clear_logs();
}

} // namespace

int main() {
    sim_reset();
    sim_add_device(0x04036010u, "USB serial adapter", -1);
    g_dev = sim_add_device(SIM_UNIT_ID, SIM_UNIT_DESCRIPTION, 3);
    sim_set_words(g_dev, 0, 0x0000, 0x1A2B);
    std::printf("Simulated bus: an unrelated USB serial adapter, then unit 3.\n\n");

    zev_ulong v = 0;
    show("zuzovEraVeOpen(3)", zuzovEraVeOpen(3));
    show("zuzovEraVeDir(3, 0x00FF)", zuzovEraVeDir(3, 0x00FF));
    show("zuzovEraVeWrite(3, 0x00FF)", zuzovEraVeWrite(3, 0x00FF));
    show("zuzovEraVeWriteH(3, 0x12)", zuzovEraVeWriteH(3, 0x12));
    show("zuzovEraVeBit(3, 5, 0)", zuzovEraVeBit(3, 5, 0));
    int r = zuzovEraVeReadback(3, &v);
    std::printf("zuzovEraVeReadback(3, &v) = 0x%04X\n", static_cast<unsigned>(v));
    show("", r);
    r = zuzovEraVeRead(3, &v);
    std::printf("zuzovEraVeRead(3, &v) = 0x%04X\n", static_cast<unsigned>(v));
    show("", r);
    r = zuzovEraVeReadL(3, &v);
    std::printf("zuzovEraVeReadL(3, &v) = 0x%02X\n", static_cast<unsigned>(v));
    show("", r);
    r = zuzovEraVeUnitID(3, &v);
    std::printf("zuzovEraVeUnitID(3, &v) = %u\n", static_cast<unsigned>(v));
    show("", r);
    show("zuzovEraVeWriteH(3, 256) refused", zuzovEraVeWriteH(3, 256));
    sim_set_silent(g_dev, 1);
    show("zuzovEraVeWrite(3, 1), unit silent", zuzovEraVeWrite(3, 1));
    sim_set_silent(g_dev, 0);
    show("zuzovEraVeClose(3)", zuzovEraVeClose(3));
    return 0;
}
