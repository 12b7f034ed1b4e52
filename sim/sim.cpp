// Simulated USB serial driver with simulated units behind it.
//
// Freestanding: no C or C++ runtime, so the same source builds the test
// driver library on Linux and the simulated FTD2XX.dll for Windows hosts.
#include "sim.h"

#include "../src/link/d2xx.h"
#include "../src/link/platform.h"

namespace {

constexpr d2xx_status kInvalidHandle = 1;
constexpr d2xx_status kDeviceNotFound = 2;
constexpr d2xx_status kDeviceNotOpened = 3;
constexpr d2xx_status kIoError = 4;

constexpr uint32_t kQueueSize = 1024;
constexpr uint32_t kReplySize = 64;
constexpr uint32_t kLogSize = 8192;
constexpr char kAck = 'A';

struct Text {
    char data[kLogSize];
    uint32_t len;
    bool overflowed;

    void clear() {
        len = 0;
        data[0] = '\0';
        overflowed = false;
    }
    void put(char c) {
        if (len + 1 < kLogSize) {
            data[len++] = c;
            data[len] = '\0';
        } else {
            overflowed = true;
        }
    }
    void put(const char* s) {
        while (*s != '\0') {
            put(*s++);
        }
    }
    void put(const char* bytes, uint32_t n) {
        for (uint32_t i = 0; i < n; ++i) {
            put(bytes[i]);
        }
    }
    void put_number(uint32_t v) {
        char digits[10];
        uint32_t n = 0;
        do {
            digits[n++] = static_cast<char>('0' + v % 10);
            v /= 10;
        } while (v != 0);
        while (n > 0) {
            put(digits[--n]);
        }
    }
    void event(const char* name) {
        if (len > 0) {
            put(' ');
        }
        put(name);
    }
};

struct Bytes {
    char data[kReplySize];
    uint32_t len;

    void set(const char* bytes, uint32_t n) {
        len = n < kReplySize ? n : kReplySize;
        for (uint32_t i = 0; i < len; ++i) {
            data[i] = bytes[i];
        }
    }
};

struct Device {
    uint32_t usb_id;
    char description[64];
    bool has_unit;
    uint32_t unit;
    uint32_t direction;
    uint32_t output;
    uint32_t input;

    uintptr_t handle; // 0 while closed

    char queue[kQueueSize];
    uint32_t queued;
    uint32_t visible;

    bool silent;
    int cut;
    bool trickle;
    bool override_next;
    Bytes override_reply;
    bool hold_next;
    bool holding;
    Bytes held;

    Text log;
    Text writes;
    SimStats stats;
};

struct Fault {
    uint32_t skip;
    uint32_t times;
};

struct State {
    Device devices[SIM_MAX_DEVICES];
    int count;
    uint32_t calls[SIM_CALL_KINDS];
    Fault faults[SIM_CALL_KINDS];
};

State g_state;
uintptr_t g_next_handle = 0x5100; // never reused, so stale handles stay invalid
int g_lock;

class Guard {
  public:
    Guard() {
        while (__atomic_exchange_n(&g_lock, 1, __ATOMIC_ACQUIRE) != 0) {
            zev::platform_yield();
        }
    }
    ~Guard() { __atomic_store_n(&g_lock, 0, __ATOMIC_RELEASE); }
    Guard(const Guard&) = delete;
    Guard& operator=(const Guard&) = delete;
};

template <typename T> void zero(T& object) {
    volatile unsigned char* p = reinterpret_cast<volatile unsigned char*>(&object);
    for (uint32_t i = 0; i < sizeof(T); ++i) {
        p[i] = 0;
    }
}

Device* device_at(int dev) {
    if (dev < 0 || dev >= g_state.count) {
        return nullptr;
    }
    return &g_state.devices[dev];
}

Device* by_handle(d2xx_handle handle) {
    const uintptr_t h = reinterpret_cast<uintptr_t>(handle);
    if (h == 0) {
        return nullptr;
    }
    for (int i = 0; i < g_state.count; ++i) {
        if (g_state.devices[i].handle == h) {
            return &g_state.devices[i];
        }
    }
    return nullptr;
}

// Counts the call and tells whether it is to fail.
bool failing(SimCall call) {
    ++g_state.calls[call];
    Fault& f = g_state.faults[call];
    if (f.times == 0) {
        return false;
    }
    if (f.skip > 0) {
        --f.skip;
        return false;
    }
    --f.times;
    return true;
}

const char kHex[] = "0123456789ABCDEF";

void put_hex(Bytes& out, uint32_t v, uint32_t min_digits) {
    char digits[8];
    uint32_t n = 0;
    do {
        digits[n++] = kHex[v & 0xF];
        v >>= 4;
    } while (v != 0);
    for (uint32_t i = n; i < min_digits; ++i) {
        out.data[out.len++] = '0';
    }
    while (n > 0) {
        out.data[out.len++] = digits[--n];
    }
}

// The unit accepts upper-case hex digits only, as the protocol writes them.
bool parse_hex(const char* s, uint32_t n, uint32_t* value) {
    if (n == 0 || n > 8) {
        return false;
    }
    uint32_t v = 0;
    for (uint32_t i = 0; i < n; ++i) {
        const char c = s[i];
        uint32_t d;
        if (c >= '0' && c <= '9') {
            d = static_cast<uint32_t>(c - '0');
        } else if (c >= 'A' && c <= 'F') {
            d = static_cast<uint32_t>(c - 'A' + 10);
        } else {
            return false;
        }
        v = (v << 4) | d;
    }
    *value = v;
    return true;
}

bool starts(const char* s, uint32_t n, const char* prefix) {
    uint32_t i = 0;
    for (; prefix[i] != '\0'; ++i) {
        if (i >= n || s[i] != prefix[i]) {
            return false;
        }
    }
    return true;
}

// The unit model: answers one command, or stays silent on anything it does
// not understand or that is addressed to another unit.
bool answer(Device& d, const char* cmd, uint32_t n, Bytes& reply) {
    reply.len = 0;
    uint32_t address = 0;
    if (!d.has_unit || n < 4 || cmd[n - 1] != '/' || !parse_hex(cmd, 2, &address)) {
        return false;
    }
    const char* body = cmd + 2;
    const uint32_t len = n - 3;
    if (len == 1 && body[0] == 'U' && (address == 0xFF || address == d.unit)) {
        put_hex(reply, d.unit, 2);
        reply.data[reply.len++] = '/';
        return true;
    }
    if (address != d.unit) {
        return false;
    }
    if (len == 1 && (body[0] == 'I' || body[0] == 'O')) {
        put_hex(reply, (body[0] == 'I' ? d.input : d.output) & 0xFFFFu, 4);
        reply.data[reply.len++] = '/';
        return true;
    }
    uint32_t v = 0;
    const bool high = starts(body, len, "DH") || starts(body, len, "OH");
    const bool low = starts(body, len, "DL") || starts(body, len, "OL");
    const uint32_t skip = (high || low) ? 2 : 1;
    if ((body[0] != 'D' && body[0] != 'O') || !parse_hex(body + skip, len - skip, &v)) {
        return false;
    }
    uint32_t& word = body[0] == 'D' ? d.direction : d.output;
    if (high) {
        word = (word & 0x00FFu) | ((v & 0xFFu) << 8);
    } else if (low) {
        word = (word & 0xFF00u) | (v & 0xFFu);
    } else {
        word = v & 0xFFFFu;
    }
    reply.data[reply.len++] = kAck;
    return true;
}

void enqueue(Device& d, const char* bytes, uint32_t n) {
    for (uint32_t i = 0; i < n && d.queued < kQueueSize; ++i) {
        d.queue[d.queued++] = bytes[i];
    }
    if (!d.trickle) {
        d.visible = d.queued;
    }
}

} // namespace

// ---- driver operations ----

extern "C" {

d2xx_status D2XX_CALL FT_CreateDeviceInfoList(d2xx_u32* count) {
    Guard guard;
    if (failing(SIM_LIST)) {
        return kIoError;
    }
    *count = static_cast<d2xx_u32>(g_state.count);
    return D2XX_OK;
}

d2xx_status D2XX_CALL FT_GetDeviceInfoDetail(d2xx_u32 index, d2xx_u32* flags, d2xx_u32* type,
                                             d2xx_u32* id, d2xx_u32* location, void* serial16,
                                             void* description64, d2xx_handle* handle) {
    Guard guard;
    if (failing(SIM_INFO)) {
        return kIoError;
    }
    Device* d = device_at(static_cast<int>(index));
    if (d == nullptr) {
        return kDeviceNotFound;
    }
    *flags = d->handle != 0 ? 1u : 0u;
    *type = 5;
    *id = d->usb_id;
    *location = 0x11u + index;
    char* serial = static_cast<char*>(serial16);
    const char kSerial[] = "SIM0000";
    for (uint32_t i = 0; i < 7; ++i) {
        serial[i] = kSerial[i];
    }
    serial[7] = static_cast<char>('0' + index % 10);
    serial[8] = '\0';
    char* description = static_cast<char*>(description64);
    for (uint32_t i = 0; i < 64; ++i) {
        description[i] = d->description[i];
    }
    *handle = reinterpret_cast<d2xx_handle>(d->handle);
    return D2XX_OK;
}

d2xx_status D2XX_CALL FT_Open(int index, d2xx_handle* handle) {
    Guard guard;
    Device* d = device_at(index);
    if (failing(SIM_OPEN)) {
        if (d != nullptr) {
            d->log.event("open!");
        }
        return kIoError;
    }
    if (d == nullptr) {
        return kDeviceNotFound;
    }
    if (d->handle != 0) {
        d->log.event("open-refused");
        return kDeviceNotOpened;
    }
    d->handle = g_next_handle++;
    d->queued = 0;
    d->visible = 0;
    ++d->stats.opens;
    d->log.event("open");
    *handle = reinterpret_cast<d2xx_handle>(d->handle);
    return D2XX_OK;
}

d2xx_status D2XX_CALL FT_SetBaudRate(d2xx_handle handle, d2xx_u32 baud) {
    Guard guard;
    Device* d = by_handle(handle);
    if (d == nullptr) {
        return kInvalidHandle;
    }
    if (failing(SIM_BAUD)) {
        d->log.event("baud!");
        return kIoError;
    }
    d->log.event("baud=");
    d->log.put_number(static_cast<uint32_t>(baud));
    return D2XX_OK;
}

d2xx_status D2XX_CALL FT_SetTimeouts(d2xx_handle handle, d2xx_u32 read_ms, d2xx_u32 write_ms) {
    Guard guard;
    Device* d = by_handle(handle);
    if (d == nullptr) {
        return kInvalidHandle;
    }
    if (failing(SIM_TIMEOUTS)) {
        d->log.event("timeouts!");
        return kIoError;
    }
    d->log.event("timeouts=");
    d->log.put_number(static_cast<uint32_t>(read_ms));
    d->log.put(',');
    d->log.put_number(static_cast<uint32_t>(write_ms));
    return D2XX_OK;
}

d2xx_status D2XX_CALL FT_SetDataCharacteristics(d2xx_handle handle, unsigned char word_length,
                                                unsigned char stop_bits, unsigned char parity) {
    Guard guard;
    Device* d = by_handle(handle);
    if (d == nullptr) {
        return kInvalidHandle;
    }
    if (failing(SIM_DATA)) {
        d->log.event("data!");
        return kIoError;
    }
    d->log.event("data=");
    d->log.put_number(word_length);
    d->log.put(',');
    d->log.put_number(stop_bits);
    d->log.put(',');
    d->log.put_number(parity);
    return D2XX_OK;
}

d2xx_status D2XX_CALL FT_Write(d2xx_handle handle, void* buffer, d2xx_u32 count,
                               d2xx_u32* written) {
    Guard guard;
    Device* d = by_handle(handle);
    if (d == nullptr) {
        return kInvalidHandle;
    }
    const char* cmd = static_cast<const char*>(buffer);
    const uint32_t n = static_cast<uint32_t>(count);
    if (failing(SIM_WRITE)) {
        d->log.event("w!");
        return kIoError;
    }
    d->log.event("w=");
    d->log.put(cmd, n);
    if (d->writes.len > 0) {
        d->writes.put(' ');
    }
    d->writes.put(cmd, n);
    ++d->stats.writes;
    if (d->queued > 0) {
        ++d->stats.overlapped_writes;
    }
    *written = count;

    Bytes reply{};
    bool replies = false;
    if (d->override_next) {
        d->override_next = false;
        reply = d->override_reply;
        replies = true;
    } else if (!d->silent) {
        replies = answer(*d, cmd, n, reply);
    }
    if (!replies) {
        return D2XX_OK;
    }
    if (d->cut >= 0 && reply.len > static_cast<uint32_t>(d->cut)) {
        reply.len = static_cast<uint32_t>(d->cut);
    }
    if (d->hold_next) {
        d->hold_next = false;
        d->holding = true;
        d->held = reply;
        return D2XX_OK;
    }
    enqueue(*d, reply.data, reply.len);
    return D2XX_OK;
}

d2xx_status D2XX_CALL FT_GetStatus(d2xx_handle handle, d2xx_u32* rx_queue, d2xx_u32* tx_queue,
                                   d2xx_u32* events) {
    Guard guard;
    Device* d = by_handle(handle);
    if (d == nullptr) {
        return kInvalidHandle;
    }
    if (failing(SIM_STATUS)) {
        return kIoError;
    }
    if (d->trickle && d->visible < d->queued) {
        ++d->visible;
    }
    *rx_queue = d->visible;
    *tx_queue = 0;
    *events = 0;
    return D2XX_OK;
}

d2xx_status D2XX_CALL FT_Read(d2xx_handle handle, void* buffer, d2xx_u32 count, d2xx_u32* read) {
    Guard guard;
    Device* d = by_handle(handle);
    if (d == nullptr) {
        return kInvalidHandle;
    }
    if (failing(SIM_READ)) {
        d->log.event("r!");
        return kIoError;
    }
    // Only visible bytes are returned: the rest would arrive after the
    // read time-out.
    const uint32_t want = static_cast<uint32_t>(count);
    const uint32_t n = want < d->visible ? want : d->visible;
    char* out = static_cast<char*>(buffer);
    for (uint32_t i = 0; i < n; ++i) {
        out[i] = d->queue[i];
    }
    for (uint32_t i = n; i < d->queued; ++i) {
        d->queue[i - n] = d->queue[i];
    }
    d->queued -= n;
    d->visible -= n;
    ++d->stats.reads;
    d->log.event("r");
    d->log.put_number(want);
    d->log.put('=');
    d->log.put(out, n);
    *read = n;
    return D2XX_OK;
}

d2xx_status D2XX_CALL FT_Close(d2xx_handle handle) {
    Guard guard;
    Device* d = by_handle(handle);
    if (d == nullptr) {
        return kInvalidHandle;
    }
    // A failing close still releases the device, so that one injected
    // fault does not leave the device unusable for the rest of a test.
    d->handle = 0;
    ++d->stats.closes;
    if (failing(SIM_CLOSE)) {
        d->log.event("close!");
        return kIoError;
    }
    d->log.event("close");
    return D2XX_OK;
}

// ---- control interface ----

SIM_API void sim_reset(void) {
    Guard guard;
    zero(g_state);
}

SIM_API int sim_add_device(uint32_t usb_id, const char* description, int unit) {
    Guard guard;
    if (g_state.count >= SIM_MAX_DEVICES) {
        return -1;
    }
    const int dev = g_state.count++;
    Device& d = g_state.devices[dev];
    zero(d);
    d.usb_id = usb_id;
    for (uint32_t i = 0; i < 63 && description[i] != '\0'; ++i) {
        d.description[i] = description[i];
    }
    d.has_unit = unit >= 0;
    d.unit = unit >= 0 ? static_cast<uint32_t>(unit) : 0;
    d.cut = -1;
    d.log.clear();
    d.writes.clear();
    return dev;
}

SIM_API void sim_set_words(int dev, uint32_t direction, uint32_t output, uint32_t input) {
    Guard guard;
    if (Device* d = device_at(dev)) {
        d->direction = direction & 0xFFFFu;
        d->output = output & 0xFFFFu;
        d->input = input & 0xFFFFu;
    }
}

SIM_API uint32_t sim_direction(int dev) {
    Guard guard;
    Device* d = device_at(dev);
    return d != nullptr ? d->direction : 0;
}

SIM_API uint32_t sim_output(int dev) {
    Guard guard;
    Device* d = device_at(dev);
    return d != nullptr ? d->output : 0;
}

SIM_API void sim_set_unit(int dev, int unit) {
    Guard guard;
    if (Device* d = device_at(dev)) {
        d->has_unit = unit >= 0;
        d->unit = unit >= 0 ? static_cast<uint32_t>(unit) : 0;
    }
}

SIM_API int sim_is_open(int dev) {
    Guard guard;
    Device* d = device_at(dev);
    return d != nullptr && d->handle != 0 ? 1 : 0;
}

SIM_API int sim_open_devices(void) {
    Guard guard;
    int open = 0;
    for (int i = 0; i < g_state.count; ++i) {
        open += g_state.devices[i].handle != 0 ? 1 : 0;
    }
    return open;
}

SIM_API const char* sim_writes(int dev) {
    Guard guard;
    Device* d = device_at(dev);
    return d != nullptr ? d->writes.data : "";
}

SIM_API const char* sim_log(int dev) {
    Guard guard;
    Device* d = device_at(dev);
    return d != nullptr ? d->log.data : "";
}

SIM_API void sim_clear_logs(void) {
    Guard guard;
    for (int i = 0; i < g_state.count; ++i) {
        g_state.devices[i].log.clear();
        g_state.devices[i].writes.clear();
        zero(g_state.devices[i].stats);
    }
}

SIM_API void sim_stats(int dev, SimStats* out) {
    Guard guard;
    Device* d = device_at(dev);
    if (d == nullptr) {
        zero(*out);
        return;
    }
    *out = d->stats;
    out->log_overflowed = (d->log.overflowed || d->writes.overflowed) ? 1u : 0u;
}

SIM_API uint32_t sim_calls(int call) {
    Guard guard;
    return call >= 0 && call < SIM_CALL_KINDS ? g_state.calls[call] : 0;
}

SIM_API void sim_fail_call(int call, uint32_t skip, uint32_t times) {
    Guard guard;
    if (call >= 0 && call < SIM_CALL_KINDS) {
        g_state.faults[call] = Fault{skip, times};
    }
}

SIM_API void sim_set_silent(int dev, int on) {
    Guard guard;
    if (Device* d = device_at(dev)) {
        d->silent = on != 0;
    }
}

SIM_API void sim_cut_replies(int dev, int k) {
    Guard guard;
    if (Device* d = device_at(dev)) {
        d->cut = k;
    }
}

SIM_API void sim_override_next_reply(int dev, const char* bytes, uint32_t len) {
    Guard guard;
    if (Device* d = device_at(dev)) {
        d->override_next = true;
        d->override_reply.set(bytes, len);
    }
}

SIM_API void sim_hold_next_reply(int dev) {
    Guard guard;
    if (Device* d = device_at(dev)) {
        d->hold_next = true;
    }
}

SIM_API void sim_release_held(int dev) {
    Guard guard;
    if (Device* d = device_at(dev)) {
        if (d->holding) {
            d->holding = false;
            enqueue(*d, d->held.data, d->held.len);
        }
    }
}

SIM_API void sim_inject(int dev, const char* bytes, uint32_t len) {
    Guard guard;
    if (Device* d = device_at(dev)) {
        enqueue(*d, bytes, len);
    }
}

SIM_API void sim_set_trickle(int dev, int on) {
    Guard guard;
    if (Device* d = device_at(dev)) {
        d->trickle = on != 0;
    }
}

} // extern "C"
