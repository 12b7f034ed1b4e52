// Fuzzes whole exchanges: arbitrary bytes queued on the link before a
// command (which must be discarded) and an arbitrary reply to it. Each
// operation must report exactly what the scanning rules make of the reply,
// leave the caller's variable alone when it fails, and leave a link that
// works on the next call.
#include "scan_model.h"

#include <sim.h>
#include <zuzovEraVe.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr uint32_t kOutput = 0x0123;
constexpr uint32_t kInput = 0x4567;

[[noreturn]] void fail(const char* what, const std::string& reply) {
    std::fprintf(stderr, "%s (reply of %zu bytes)\n", what, reply.size());
    std::abort();
}

void expect(bool ok, const char* what, const std::string& reply) {
    if (!ok) {
        fail(what, reply);
    }
}

std::string hex4(uint32_t v) {
    char text[16];
    std::snprintf(text, sizeof text, "%04X", v);
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) {
        return 0;
    }
    const unsigned op = data[0] % 6u;
    const size_t stale_len = data[1] % 16u;
    if (size < 2 + stale_len) {
        return 0;
    }
    const std::string stale(reinterpret_cast<const char*>(data + 2), stale_len);
    std::string reply(reinterpret_cast<const char*>(data + 2 + stale_len), size - 2 - stale_len);
    if (reply.size() > 64) {
        reply.resize(64);
    }
    // The threshold each operation waits for; a shorter reply only times
    // out, which the unit tests cover.
    const size_t thresholds[] = {5, 5, 3, 1, 1, 3};
    if (reply.size() < thresholds[op]) {
        return 0;
    }

    zuzovEraVeClose(1);
    sim_reset();
    const int dev = sim_add_device(SIM_UNIT_ID, SIM_UNIT_DESCRIPTION, 1);
    sim_set_words(dev, 0, kOutput, kInput);
    if (op != 5) {
        expect(zuzovEraVeOpen(1) == 1, "open", reply);
    }
    sim_clear_logs();
    sim_inject(dev, stale.data(), static_cast<uint32_t>(stale.size()));
    sim_override_next_reply(dev, reply.data(), static_cast<uint32_t>(reply.size()));

    zev_ulong v = 0x5EED;
    uint32_t model = 0;
    switch (op) {
    case 0:
    case 1: {
        const bool converts = model_scan(reply.substr(0, 5), 4, &model);
        const int r = op == 0 ? zuzovEraVeRead(1, &v) : zuzovEraVeReadback(1, &v);
        expect(r == (converts ? 1 : 0), "word read result", reply);
        expect(v == (converts ? model : 0x5EEDu), "word read value", reply);
        break;
    }
    case 2: {
        const bool converts = model_scan(reply.substr(0, 3), 2, &model);
        expect(zuzovEraVeUnitID(1, &v) == (converts ? 1 : 0), "unit id result", reply);
        expect(v == (converts ? model : 0x5EEDu), "unit id value", reply);
        break;
    }
    case 3: {
        const bool converts = model_scan(reply.substr(0, 5), 4, &model);
        expect(zuzovEraVeBit(1, 3, 1) == (converts ? 1 : 0), "bit result", reply);
        const std::string want = converts ? "01O/ 01O" + hex4(model | 8u) + "/" : "01O/";
        expect(want == sim_writes(dev), "bit commands", reply);
        break;
    }
    case 4:
        expect(zuzovEraVeWrite(1, 0x0F0F) == 1, "write result", reply);
        break;
    case 5: {
        const bool match = model_scan(reply.substr(0, 3), 2, &model) && model == 1;
        expect(zuzovEraVeOpen(1) == (match ? 1 : 0), "open result", reply);
        expect(sim_open_devices() == (match ? 1 : 0), "open left a link", reply);
        if (!match) {
            expect(zuzovEraVeOpen(1) == 1, "open after a bad reply", reply);
        }
        break;
    }
    }
    // Whatever happened, the next call on the link gets its own reply.
    sim_set_words(dev, 0, 0x5AA5, kInput);
    v = 0;
    expect(zuzovEraVeReadback(1, &v) == 1 && v == 0x5AA5, "link not usable afterwards", reply);
    return 0;
}
