#pragma once

#include <cstdint>
#include <memory>

namespace orv {

// The one lock of an effect: recursive for its owning thread, acquired with a time-out.
class EngineLock {
public:
    static constexpr uint32_t kNoTimeLimit = 0;

    EngineLock();
    ~EngineLock();
    EngineLock(const EngineLock&) = delete;
    EngineLock& operator=(const EngineLock&) = delete;

    // false when the wait ran out (or the lock could not be created).
    bool acquire(uint32_t timeoutMs);
    void release();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// Holds the lock for a scope when the acquisition succeeded.
class EngineLockGuard {
public:
    EngineLockGuard(EngineLock& lock, uint32_t timeoutMs) : lock_(lock), held_(lock.acquire(timeoutMs)) {}
    ~EngineLockGuard() {
        if (held_) lock_.release();
    }
    EngineLockGuard(const EngineLockGuard&) = delete;
    EngineLockGuard& operator=(const EngineLockGuard&) = delete;
    bool held() const { return held_; }

private:
    EngineLock& lock_;
    bool held_;
};

}  // namespace orv
