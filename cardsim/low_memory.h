#pragma once
// Memory mapped below 4 GiB, so that its address fits the driver's 4-byte request fields.

#include <cstddef>
#include <cstdint>

namespace tovik::card {

class LowMemory {
public:
    // Maps size bytes, zeroed. valid() is false when the system has no room below 4 GiB.
    explicit LowMemory(std::size_t size);
    ~LowMemory();
    LowMemory(const LowMemory&) = delete;
    LowMemory& operator=(const LowMemory&) = delete;

    bool valid() const { return data_ != nullptr; }
    std::uint8_t* data() const { return data_; }
    std::size_t size() const { return size_; }
    std::uint32_t address() const { return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(data_)); }

private:
    std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t mapped_ = 0;
};

}  // namespace tovik::card
