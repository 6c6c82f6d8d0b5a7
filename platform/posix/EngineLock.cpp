#include "platform/EngineLock.h"

#include <chrono>
#include <mutex>
#include <new>

namespace orv {

struct EngineLock::Impl {
    std::recursive_timed_mutex mutex;
};

EngineLock::EngineLock() : impl_(new (std::nothrow) Impl) {}
EngineLock::~EngineLock() = default;

bool EngineLock::acquire(uint32_t timeoutMs) {
    if (!impl_) return false;
    if (timeoutMs == kNoTimeLimit) {
        impl_->mutex.lock();
        return true;
    }
    return impl_->mutex.try_lock_for(std::chrono::milliseconds(timeoutMs));
}

void EngineLock::release() {
    if (impl_) impl_->mutex.unlock();
}

}  // namespace orv
