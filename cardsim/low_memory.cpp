#include "cardsim/low_memory.h"

#include <sys/mman.h>
#include <unistd.h>

namespace tovik::card {

namespace {

constexpr std::uintptr_t k4GiB = std::uintptr_t{1} << 32;

void* mapLow(std::size_t bytes) {
#ifdef MAP_32BIT
    void* p = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_32BIT, -1, 0);
    if (p != MAP_FAILED) return p;
#endif
    // Without MAP_32BIT: ask for addresses below 4 GiB one after another.
    const std::uintptr_t page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    for (std::uintptr_t hint = 0x10000000; hint + bytes < k4GiB; hint += 0x01000000) {
        void* q = mmap(reinterpret_cast<void*>(hint - hint % page), bytes, PROT_READ | PROT_WRITE,
                       MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (q == MAP_FAILED) continue;
        if (reinterpret_cast<std::uintptr_t>(q) + bytes <= k4GiB) return q;
        munmap(q, bytes);
    }
    return nullptr;
}

}  // namespace

LowMemory::LowMemory(std::size_t size) : size_(size) {
    const std::size_t page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    mapped_ = (size + page - 1) / page * page;
    if (mapped_ == 0) return;
    void* p = mapLow(mapped_);
    if (p && reinterpret_cast<std::uintptr_t>(p) + mapped_ <= k4GiB && p != nullptr)
        data_ = static_cast<std::uint8_t*>(p);
    else if (p)
        munmap(p, mapped_);
}

LowMemory::~LowMemory() {
    if (data_) munmap(data_, mapped_);
}

}  // namespace tovik::card
