#include "exchange.h"

#include "platform.h"
#include "text.h"

#include <zuzovEraVe.h>

namespace zev {

namespace {

// Enough rounds to clear any sane backlog without letting a link that
// never stops sending hold the caller.
constexpr uint32_t kDrainRounds = 16;

d2xx_u32 queued_bytes(Link link, d2xx_u32 last_known) {
    d2xx_u32 rx = last_known;
    d2xx_u32 tx = 0;
    d2xx_u32 events = 0;
    // The status code is not examined: a failing call leaves the count as
    // it was last reported.
    FT_GetStatus(link, &rx, &tx, &events);
    return rx;
}

// Reads and drops whatever is queued, so that a late reply to an earlier
// command is never taken for the reply to the next one.
void discard_stale_bytes(Link link, char* buf, uint32_t cap) {
    for (uint32_t round = 0; round < kDrainRounds; ++round) {
        const d2xx_u32 queued = queued_bytes(link, 0);
        if (queued == 0) {
            return;
        }
        d2xx_u32 got = 0;
        const d2xx_u32 ask = queued < cap ? queued : cap;
        if (FT_Read(link, buf, ask, &got) != D2XX_OK || got == 0) {
            return;
        }
    }
}

bool wait_for_reply(Link link, const ExchangeKind& kind) {
    const uint64_t start = platform_now_ms();
    d2xx_u32 queued = 0;
    for (;;) {
        queued = queued_bytes(link, queued);
        if (queued >= kind.threshold) {
            return true;
        }
        if (platform_now_ms() - start >= ZEV_REPLY_WAIT_LIMIT_MS) {
            return false;
        }
        if (kind.wait == Wait::yield) {
            platform_yield();
        }
    }
}

} // namespace

Outcome run_exchange(Link link, const char* command, uint32_t length, const ExchangeKind& kind,
                     char* buf, uint32_t cap, uint32_t* value) {
    // The command may stand at the start of buf, so stale bytes are drained
    // into the part of buf behind it.
    const uint32_t spare = cap > length + 1 ? cap - length - 1 : 0;
    if (spare > 0) {
        discard_stale_bytes(link, buf + length + 1, spare);
    }
    d2xx_u32 written = 0;
    if (FT_Write(link, const_cast<char*>(command), length, &written) != D2XX_OK) {
        return Outcome::driver_failed;
    }
    if (!wait_for_reply(link, kind)) {
        return Outcome::no_reply;
    }
    const d2xx_u32 ask = kind.reply_len < cap ? kind.reply_len : cap;
    d2xx_u32 got = 0;
    if (FT_Read(link, buf, ask, &got) != D2XX_OK) {
        return Outcome::driver_failed;
    }
    if (kind.parse_width == 0) {
        return Outcome::ok;
    }
    const uint32_t reply_len = got < ask ? static_cast<uint32_t>(got) : static_cast<uint32_t>(ask);
    uint32_t number = 0;
    if (!scan_hex(buf, reply_len, kind.parse_width, &number)) {
        return Outcome::no_number;
    }
    *value = number;
    return Outcome::ok;
}

} // namespace zev
