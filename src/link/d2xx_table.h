// The ten D2XX entry points the cable port uses, plus the library's version query, as a table
// of plain function pointers. The vendor's library, our serial-driver layer, the simulator
// library and test doubles all fill the same table.
#pragma once

#include <cstdint>

#ifdef _WIN32
#define KORV_D2XX_CALL __stdcall
#else
#define KORV_D2XX_CALL
#endif

namespace korv::link {

// D2XX's own names for its integer types. The status is read as 32 bits: on platforms where
// the library returns a wider unsigned long the low half carries the whole code.
using FT_STATUS = std::uint32_t;
using DWORD = std::uint32_t;
// Pointer-sized: the library hands out a pointer, which does not fit 32 bits on 64-bit
// systems.
using FT_HANDLE = void*;

inline constexpr FT_STATUS FT_OK = 0;
inline constexpr FT_STATUS FT_INVALID_HANDLE = 1;
inline constexpr FT_STATUS FT_DEVICE_NOT_FOUND = 2;
inline constexpr FT_STATUS FT_DEVICE_NOT_OPENED = 3;
inline constexpr FT_STATUS FT_IO_ERROR = 4;
inline constexpr FT_STATUS FT_INVALID_PARAMETER = 6;
inline constexpr FT_STATUS FT_INVALID_BAUD_RATE = 7;
inline constexpr FT_STATUS FT_NOT_SUPPORTED = 17;
inline constexpr FT_STATUS FT_OTHER_ERROR = 18;

inline constexpr DWORD FT_OPEN_BY_SERIAL_NUMBER = 1;
inline constexpr DWORD FT_OPEN_BY_DESCRIPTION = 2;
inline constexpr DWORD FT_PURGE_RX = 1;
inline constexpr DWORD FT_PURGE_TX = 2;

using TFT_OpenEx = FT_STATUS(KORV_D2XX_CALL*)(void* pvArg1, DWORD dwFlags, FT_HANDLE* ftHandle);
using TFT_Close = FT_STATUS(KORV_D2XX_CALL*)(FT_HANDLE ftHandle);
using TFT_Read = FT_STATUS(KORV_D2XX_CALL*)(FT_HANDLE ftHandle, void* bufor, DWORD dwBytesToRead,
                                            DWORD* dwBytesReturned);
using TFT_Write = FT_STATUS(KORV_D2XX_CALL*)(FT_HANDLE ftHandle, void* bufor, DWORD dwBytesToWrite,
                                             DWORD* dwBytesWritten);
using TFT_SetBaudRate = FT_STATUS(KORV_D2XX_CALL*)(FT_HANDLE ftHandle, DWORD dwBaudRate);
using TFT_SetTimeouts = FT_STATUS(KORV_D2XX_CALL*)(FT_HANDLE ftHandle, DWORD dwReadTimeout,
                                                   DWORD dwWriteTimeout);
using TFT_ResetDevice = FT_STATUS(KORV_D2XX_CALL*)(FT_HANDLE ftHandle);
using TFT_Purge = FT_STATUS(KORV_D2XX_CALL*)(FT_HANDLE ftHandle, DWORD dwMask);
using TFT_SetRts = FT_STATUS(KORV_D2XX_CALL*)(FT_HANDLE ftHandle);
using TFT_ClrRts = FT_STATUS(KORV_D2XX_CALL*)(FT_HANDLE ftHandle);
// Version as 0x00MMmmbb: major, minor, build.
using TFT_GetLibraryVersion = FT_STATUS(KORV_D2XX_CALL*)(DWORD* lpdwVersion);

struct D2xxTable {
    TFT_OpenEx FT_OpenEx = nullptr;
    TFT_Close FT_Close = nullptr;
    TFT_Read FT_Read = nullptr;
    TFT_Write FT_Write = nullptr;
    TFT_SetBaudRate FT_SetBaudRate = nullptr;
    TFT_SetTimeouts FT_SetTimeouts = nullptr;
    TFT_ResetDevice FT_ResetDevice = nullptr;
    TFT_Purge FT_Purge = nullptr;
    TFT_SetRts FT_SetRts = nullptr;
    TFT_ClrRts FT_ClrRts = nullptr;
    TFT_GetLibraryVersion FT_GetLibraryVersion = nullptr;
};

// All ten entry points the port calls are bound (the version query is not one of them).
bool HasAllEntryPoints(const D2xxTable& table);

} // namespace korv::link
