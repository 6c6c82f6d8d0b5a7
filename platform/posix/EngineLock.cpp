#include "platform/EngineLock.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <new>
#include <thread>

namespace orv {

// A recursive lock with time-out built from a plain mutex and a condition variable: the
// standard recursive_timed_mutex waits through pthread_mutex_clocklock, which the thread
// sanitizer of our toolchain cannot see, so it would report every block as a race.
struct EngineLock::Impl {
    std::mutex mutex;
    std::condition_variable released;
    std::thread::id owner;
    uint32_t depth = 0;
};

EngineLock::EngineLock() : impl_(new (std::nothrow) Impl) {}
EngineLock::~EngineLock() = default;

bool EngineLock::acquire(uint32_t timeoutMs) {
    if (!impl_) return false;
    const std::thread::id self = std::this_thread::get_id();
    std::unique_lock<std::mutex> guard(impl_->mutex);
    if (impl_->depth > 0 && impl_->owner == self) {
        ++impl_->depth;
        return true;
    }
    const auto isFree = [this] { return impl_->depth == 0; };
    if (timeoutMs == kNoTimeLimit)
        impl_->released.wait(guard, isFree);
    else if (!impl_->released.wait_for(guard, std::chrono::milliseconds(timeoutMs), isFree))
        return false;
    impl_->owner = self;
    impl_->depth = 1;
    return true;
}

void EngineLock::release() {
    if (!impl_) return;
    std::unique_lock<std::mutex> guard(impl_->mutex);
    // Only the owner may release; anything else is a caller's mistake and changes nothing.
    if (impl_->depth == 0 || impl_->owner != std::this_thread::get_id()) return;
    if (--impl_->depth == 0) {
        impl_->owner = std::thread::id();
        // Notified under the mutex: a waiter that then destroys the lock (the destructor of
        // the effect) cannot run before this thread has stopped touching it.
        impl_->released.notify_one();
    }
}

}  // namespace orv
