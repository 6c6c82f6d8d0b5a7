#include "platform/EngineLock.h"

#include <windows.h>

#include <new>

namespace orv {

// An unnamed Windows mutex: recursive for its owning thread, waited on with a time-out.
struct EngineLock::Impl {
    HANDLE mutex = nullptr;
};

EngineLock::EngineLock() : impl_(new (std::nothrow) Impl) {
    if (impl_) impl_->mutex = CreateMutexW(nullptr, FALSE, nullptr);
}

EngineLock::~EngineLock() {
    if (impl_ && impl_->mutex) CloseHandle(impl_->mutex);
}

bool EngineLock::acquire(uint32_t timeoutMs) {
    if (!impl_ || !impl_->mutex) return false;
    const DWORD wait = timeoutMs == kNoTimeLimit ? INFINITE : static_cast<DWORD>(timeoutMs);
    const DWORD result = WaitForSingleObject(impl_->mutex, wait);
    // An abandoned mutex (its owner thread ended while holding it) is ours now: count it as held,
    // so that the matching release frees it.
    return result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
}

void EngineLock::release() {
    if (impl_ && impl_->mutex) ReleaseMutex(impl_->mutex);
}

}  // namespace orv
