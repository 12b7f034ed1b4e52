// Control interface of the simulated USB serial driver.
//
// The simulator implements the ten driver operations of src/link/d2xx.h
// over a list of simulated devices. A device with a unit model answers the
// unit's whole command set; every driver call is logged per device, and
// fault switches make calls fail or replies misbehave.
//
// All functions are safe to call from several threads; the simulator
// serialises its own state with one lock.
#ifndef ZEV_SIM_SIM_H
#define ZEV_SIM_SIM_H

#include <stdint.h>

#if defined(_WIN32) && defined(ZEV_BUILDING_DRIVER)
#define SIM_API __declspec(dllexport)
#elif defined(_WIN32)
#define SIM_API __declspec(dllimport)
#elif defined(ZEV_BUILDING_DRIVER)
#define SIM_API __attribute__((visibility("default")))
#else
#define SIM_API
#endif

#define SIM_MAX_DEVICES 8
#define SIM_UNIT_ID 0x04036001u
#define SIM_UNIT_DESCRIPTION "ZERUVUVE"

// The driver calls, for fault injection and call counts.
enum SimCall {
    SIM_LIST = 0, // FT_CreateDeviceInfoList
    SIM_INFO,     // FT_GetDeviceInfoDetail
    SIM_OPEN,     // FT_Open
    SIM_BAUD,     // FT_SetBaudRate
    SIM_TIMEOUTS, // FT_SetTimeouts
    SIM_DATA,     // FT_SetDataCharacteristics
    SIM_WRITE,    // FT_Write
    SIM_STATUS,   // FT_GetStatus
    SIM_READ,     // FT_Read
    SIM_CLOSE,    // FT_Close
    SIM_CALL_KINDS
};

// Counters of one device.
struct SimStats {
    uint32_t opens;
    uint32_t closes;
    uint32_t writes;
    uint32_t reads;
    // Commands written while reply bytes of an earlier command were still
    // queued unread: two callers' exchanges overlapped on the link.
    uint32_t overlapped_writes;
    uint32_t log_overflowed;
};

extern "C" {

// Removes every device, fault and log, and zeroes the call counters.
// Handles given out earlier become invalid.
SIM_API void sim_reset(void);

// Lists a new device (after those already listed) and returns its index.
// `unit` is the number its unit model reports; a negative `unit` makes a
// device without a unit model, which never replies.
SIM_API int sim_add_device(uint32_t usb_id, const char* description, int unit);

// Unit model words (only the low 16 bits are kept).
SIM_API void sim_set_words(int dev, uint32_t direction, uint32_t output, uint32_t input);
SIM_API uint32_t sim_direction(int dev);
SIM_API uint32_t sim_output(int dev);
SIM_API void sim_set_unit(int dev, int unit);

// 1 while the device is open.
SIM_API int sim_is_open(int dev);
// Number of devices that are open right now.
SIM_API int sim_open_devices(void);

// The commands written to the device since the last clear, separated by a
// blank, e.g. "FFU/ 03O00FF/".
SIM_API const char* sim_writes(int dev);
// Every driver call on the device: "open", "baud=115200",
// "timeouts=250,250", "data=8,0,0", "w=<bytes>", "r<asked>=<bytes>",
// "close", separated by blanks. Status polls are not logged.
SIM_API const char* sim_log(int dev);
SIM_API void sim_clear_logs(void);
SIM_API void sim_stats(int dev, struct SimStats* out);

// Calls of `call` made since the last reset.
SIM_API uint32_t sim_calls(int call);
// Lets the next `skip` calls of `call` succeed, then fails the `times`
// calls after them (times 0: stop failing that call).
SIM_API void sim_fail_call(int call, uint32_t skip, uint32_t times);

// The unit never replies (1) or replies again (0).
SIM_API void sim_set_silent(int dev, int on);
// Every reply is cut to its first `k` bytes; k < 0 switches this off.
SIM_API void sim_cut_replies(int dev, int k);
// The reply to the next command is exactly these bytes.
SIM_API void sim_override_next_reply(int dev, const char* bytes, uint32_t len);
// The reply to the next command is held back until sim_release_held().
SIM_API void sim_hold_next_reply(int dev);
SIM_API void sim_release_held(int dev);
// Puts bytes in the receive queue, as if the unit had sent them unasked.
SIM_API void sim_inject(int dev, const char* bytes, uint32_t len);
// Reply bytes become visible one at a time, one more at each status call;
// a read returns only visible bytes, as when the rest arrives too late.
SIM_API void sim_set_trickle(int dev, int on);
}

#endif
