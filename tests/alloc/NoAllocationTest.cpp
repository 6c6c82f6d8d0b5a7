// The audio path allocates nothing: processing in both precisions with every stage in use,
// parameter changes (all but "TransShape", which re-sizes the engine under the lock), and
// meter read-outs run while every global allocation function counts its calls.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <new>
#include <vector>

#include "support/DirectPlugin.h"

// The allocation functions below take their memory from malloc (released by free) or from the
// aligned allocator (released by releaseAligned), which the compiler cannot see through.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

namespace {
std::atomic<bool> counting{false};
std::atomic<long> allocations{0};

// The Windows run-time has no posix_memalign, and its aligned blocks need their own release.
void* allocateAligned(std::size_t size, std::size_t alignment) {
    if (alignment < sizeof(void*)) alignment = sizeof(void*);
#if defined(_WIN32)
    return _aligned_malloc(size, alignment);
#else
    void* p = nullptr;
    return posix_memalign(&p, alignment, size) == 0 ? p : nullptr;
#endif
}

void releaseAligned(void* p) {
#if defined(_WIN32)
    _aligned_free(p);
#else
    std::free(p);
#endif
}

// alignment 0: a plain allocation, released by free; otherwise released by releaseAligned.
void* allocate(std::size_t size, std::size_t alignment) {
    if (counting.load(std::memory_order_relaxed)) allocations.fetch_add(1, std::memory_order_relaxed);
    if (size == 0) size = 1;
    return alignment == 0 ? std::malloc(size) : allocateAligned(size, alignment);
}
}  // namespace

void* operator new(std::size_t size) {
    if (void* p = allocate(size, 0)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return allocate(size, 0); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return allocate(size, 0); }
void* operator new(std::size_t size, std::align_val_t a) {
    if (void* p = allocate(size, static_cast<std::size_t>(a))) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size, std::align_val_t a) { return operator new(size, a); }
void* operator new(std::size_t size, std::align_val_t a, const std::nothrow_t&) noexcept {
    return allocate(size, static_cast<std::size_t>(a));
}
void* operator new[](std::size_t size, std::align_val_t a, const std::nothrow_t&) noexcept {
    return allocate(size, static_cast<std::size_t>(a));
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, std::align_val_t) noexcept { releaseAligned(p); }
void operator delete[](void* p, std::align_val_t) noexcept { releaseAligned(p); }
void operator delete(void* p, std::size_t, std::align_val_t) noexcept { releaseAligned(p); }
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept { releaseAligned(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete(void* p, std::align_val_t, const std::nothrow_t&) noexcept { releaseAligned(p); }
void operator delete[](void* p, std::align_val_t, const std::nothrow_t&) noexcept { releaseAligned(p); }

namespace {

constexpr int32_t kTransShape = 4;
constexpr int32_t kBlock = 512;

class CountedAllocations {
public:
    CountedAllocations() {
        allocations = 0;
        counting = true;
    }
    ~CountedAllocations() { counting = false; }
    long count() const { return allocations.load(); }
};

template <typename Sample>
void processBlock(orv::Plugin& plugin, std::vector<Sample>& l, std::vector<Sample>& r, std::vector<Sample>& out0,
                  std::vector<Sample>& out1) {
    Sample* ins[2] = {l.data(), r.data()};
    Sample* outs[2] = {out0.data(), out1.data()};
    if constexpr (sizeof(Sample) == sizeof(float))
        plugin.processReplacing(ins, outs, kBlock);
    else
        plugin.processDoubleReplacing(ins, outs, kBlock);
}

TEST(NoAllocation, ProcessingParameterChangesAndMeterReadOuts) {
    auto plugin = orvtest::makePlugin();
    ASSERT_NE(plugin, nullptr);
    std::vector<float> fl(kBlock), fr(kBlock), fo0(kBlock), fo1(kBlock);
    std::vector<double> dl(kBlock), dr(kBlock), do0(kBlock), do1(kBlock);
    for (int32_t i = 0; i < kBlock; ++i) {
        dl[i] = fl[i] = static_cast<float>(1.5 * std::sin(0.03 * i));
        dr[i] = fr[i] = static_cast<float>(0.8 * std::cos(0.011 * i));
    }
    // Inter-sample detection and meters, requantising with the longest shaping filter,
    // auto-black, leveller, link, second detector order: every stage at work.
    const float settings[][2] = {{6, 1.0f}, {14, 1.0f}, {16, 1.0f}, {10, 0.5f}, {11, 0.99f}, {17, 1.0f},
                                 {13, 0.3f}, {5, 0.5f}, {7, 1.0f}, {20, 0.9375f}, {21, 1.0f}};
    for (const auto& s : settings) plugin->setParameter(static_cast<int32_t>(s[0]), s[1]);
    float meters[orv::Engine::kMeterValueCount];
    processBlock(*plugin, fl, fr, fo0, fo1);  // anything lazy happens here, before counting
    plugin->getMeterValues(meters);

    CountedAllocations counted;
    for (int round = 0; round < 40; ++round) {
        for (int32_t index = 0; index < 26; ++index) {
            if (index == kTransShape) continue;
            plugin->setParameter(index, static_cast<float>((round * 5 + index) % 9) / 8.0f);
        }
        processBlock(*plugin, fl, fr, fo0, fo1);
        plugin->getMeterValues(meters);
        processBlock(*plugin, dl, dr, do0, do1);
        plugin->getMeterValues(meters);
    }
    EXPECT_EQ(counted.count(), 0);
}

// The counter itself works, so a zero above means something.
TEST(NoAllocation, CounterSeesAnAllocation) {
    static void* volatile kept;
    CountedAllocations counted;
    kept = ::operator new(24);
    ::operator delete(kept);
    kept = ::operator new(64, std::align_val_t(64));
    ::operator delete(kept, std::align_val_t(64));
    EXPECT_EQ(counted.count(), 2);
}

}  // namespace
