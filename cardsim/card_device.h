#pragma once
// The card driver as the programs see it: a device opened by path, numbered control requests
// with byte buffers, a block of memory shared with the driver, and answers that arrive later as
// window messages posted to the handle named in each request.
//
// On this platform the driver is the vtovikmd daemon (or, in tests, a unit model running in the
// same process); the programs cannot tell which.
//
// Addresses: the driver's requests carry 4-byte addresses (the shared block, its areas). The
// block is therefore mapped below 4 GiB, and an address is an ordinary pointer in this process
// that fits 32 bits. The answer messages carry the same address in lParam.

#include <cstdint>
#include <memory>
#include <string>

#include "platform/types.h"

namespace tovik::card {

// Control codes.
enum Request : std::uint32_t {
    MDIO_READ_NAME = 3,
    MDIO_WRITE_NAME = 4,
    MDIO_SEND_COMMAND = 5,
    MDIO_GET_STATUS = 6,
    MDIO_GET_METER_STATUS = 7,
    MDIO_SET_VOLUME = 8,
    MDIO_DETACH_WINDOW = 9,
    MDIO_GET_MODEL = 13,
    MDIO_ATTACH_BLOCK = 20,
    MDIO_RELEASE_BLOCK = 21,
    MDIO_CARD_READY = 22,
};

// Answers posted by the driver: wParam 0 for success, lParam the address of the area filled.
constexpr Msg WM_MD_NAME = 0x900;
constexpr Msg WM_MD_STATUS = 0x901;
constexpr Msg WM_MD_MODEL = 0x902;
constexpr Msg WM_MD_METER = 0x903;

// Layout of the shared block.
constexpr std::uint32_t kBlockSize = 4170;
constexpr std::uint32_t kAreaA = 0;
constexpr std::uint32_t kAreaB = 13;
constexpr std::uint32_t kAreaC = 26;
constexpr std::uint32_t kReadName = 42;
constexpr std::uint32_t kWriteName = 2106;
constexpr std::uint32_t kStatusSize = 13;
constexpr std::uint32_t kModelSize = 16;
constexpr std::uint32_t kNameRecordSize = 2064;
constexpr std::uint32_t kNameTextSize = 2048;

constexpr const char* kDevicePath = "\\\\.\\VTOVIKMD.vxd";

// The 4-byte values of the requests and name records (handles, addresses, sizes) are
// little-endian, whatever the byte order of the program.
inline void putU32(std::uint8_t* at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}
inline std::uint32_t getU32(const std::uint8_t* at) {
    return static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8 |
           static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}

// An open device: the handle of CreateFileA.
class CardDevice {
public:
    virtual ~CardDevice() = default;
    // DeviceIoControl. True when the driver accepted the request; for the asynchronous requests
    // (3-7, 13) the answer comes later as a message. out may be null with outSize 0.
    virtual bool control(std::uint32_t code, const void* in, std::uint32_t inSize, void* out,
                         std::uint32_t outSize) = 0;
};

// Opening by path (CreateFileA). Returns null where Windows returns the invalid handle value:
// no driver serves that path.
class CardDriver {
public:
    virtual ~CardDriver() = default;
    virtual std::unique_ptr<CardDevice> open(const std::string& path) = 0;
};

}  // namespace tovik::card
