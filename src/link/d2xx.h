// The ten USB serial driver operations the library uses, declared here in
// the form the driver library exports them. On Windows they are bound
// through the import table by ordinal (see cmake/D2xx.cmake); elsewhere any
// shared library that provides these ten functions will do.
#ifndef ZEV_LINK_D2XX_H
#define ZEV_LINK_D2XX_H

#include <stdint.h>

#if defined(_WIN32)
typedef unsigned long d2xx_u32; // DWORD / ULONG
#else
typedef uint32_t d2xx_u32;
#endif

#if defined(_WIN32) && !defined(_WIN64)
#define D2XX_CALL __stdcall
#else
#define D2XX_CALL
#endif

#if defined(ZEV_BUILDING_DRIVER)
#if defined(_WIN32)
#define D2XX_API
#else
#define D2XX_API __attribute__((visibility("default")))
#endif
#elif defined(_WIN32)
#define D2XX_API __declspec(dllimport)
#else
#define D2XX_API
#endif

typedef void* d2xx_handle;
typedef d2xx_u32 d2xx_status;

enum : d2xx_status { D2XX_OK = 0 };

extern "C" {
D2XX_API d2xx_status D2XX_CALL FT_CreateDeviceInfoList(d2xx_u32* count);
D2XX_API d2xx_status D2XX_CALL FT_GetDeviceInfoDetail(d2xx_u32 index, d2xx_u32* flags,
                                                      d2xx_u32* type, d2xx_u32* id,
                                                      d2xx_u32* location, void* serial16,
                                                      void* description64, d2xx_handle* handle);
D2XX_API d2xx_status D2XX_CALL FT_Open(int index, d2xx_handle* handle);
D2XX_API d2xx_status D2XX_CALL FT_SetBaudRate(d2xx_handle handle, d2xx_u32 baud);
D2XX_API d2xx_status D2XX_CALL FT_SetTimeouts(d2xx_handle handle, d2xx_u32 read_ms,
                                              d2xx_u32 write_ms);
D2XX_API d2xx_status D2XX_CALL FT_SetDataCharacteristics(d2xx_handle handle,
                                                         unsigned char word_length,
                                                         unsigned char stop_bits,
                                                         unsigned char parity);
D2XX_API d2xx_status D2XX_CALL FT_Write(d2xx_handle handle, void* buffer, d2xx_u32 count,
                                        d2xx_u32* written);
D2XX_API d2xx_status D2XX_CALL FT_GetStatus(d2xx_handle handle, d2xx_u32* rx_queue,
                                            d2xx_u32* tx_queue, d2xx_u32* events);
D2XX_API d2xx_status D2XX_CALL FT_Read(d2xx_handle handle, void* buffer, d2xx_u32 count,
                                       d2xx_u32* read);
D2XX_API d2xx_status D2XX_CALL FT_Close(d2xx_handle handle);
}

#endif
