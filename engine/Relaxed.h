#pragma once

#include <atomic>

namespace orv {

// A setting written by one thread and read by the audio thread at its next sample.
// Relaxed ordering: each field stands alone, nothing is derived from two of them at once.
template <typename T>
class Relaxed {
public:
    constexpr Relaxed(T initial = T()) noexcept : value_(initial) {}
    Relaxed(const Relaxed&) = delete;
    Relaxed& operator=(const Relaxed&) = delete;

    T load() const noexcept { return value_.load(std::memory_order_relaxed); }
    void store(T v) noexcept { value_.store(v, std::memory_order_relaxed); }
    operator T() const noexcept { return load(); }
    Relaxed& operator=(T v) noexcept {
        store(v);
        return *this;
    }

private:
    std::atomic<T> value_;
};

}  // namespace orv
