// The exchange: one command and its fixed-length reply on a unit's link.
// Every command of the library, discovery's included, goes through
// run_exchange().
#ifndef ZEV_LINK_EXCHANGE_H
#define ZEV_LINK_EXCHANGE_H

#include "d2xx.h"

#include <stdint.h>

namespace zev {

typedef d2xx_handle Link;

// How the exchange waits for reply bytes: by polling the receive queue
// back to back, or by giving up the time slice between polls.
enum class Wait : uint8_t { spin, yield };

struct ExchangeKind {
    Wait wait;
    uint8_t threshold;   // bytes that must be queued before the read
    uint8_t reply_len;   // bytes asked of the read
    uint8_t parse_width; // 0: acknowledgement, else hex digits of a data reply
};

// Acknowledged commands, by the way they wait.
constexpr ExchangeKind kDirectionAck{Wait::spin, 1, 1, 0};
constexpr ExchangeKind kOutputAck{Wait::yield, 1, 1, 0};
// Data replies: "hhhh/" words and "hh/" unit numbers.
constexpr ExchangeKind kWordReply{Wait::spin, 5, 5, 4};
constexpr ExchangeKind kNumberReply{Wait::spin, 3, 3, 2};
// The single-bit operation's read-back: waits for the first byte only and
// lets the read gather the rest within the driver's read time-out.
constexpr ExchangeKind kBitReadback{Wait::yield, 1, 5, 4};

enum class Outcome : uint8_t {
    ok,
    driver_failed, // the write or the read reported failure
    no_reply,      // the wait gave up: too few bytes within the wait limit
    no_number,     // a data reply converted no number
};

// Sends `command` (`length` bytes) on `link`, waits as `kind` says, reads
// the reply into `buf` (`cap` bytes, which may hold the command itself) and,
// for data replies, stores the number in *value. Bytes queued on the link
// before the command are discarded first. *value is written only when the
// outcome is ok.
Outcome run_exchange(Link link, const char* command, uint32_t length, const ExchangeKind& kind,
                     char* buf, uint32_t cap, uint32_t* value);

} // namespace zev

#endif
