#include "platform/ModuleHandle.h"

#include <atomic>

namespace orv {

namespace {
std::atomic<void*> recordedHandle{nullptr};
}

void setModuleHandle(void* handle) { recordedHandle.store(handle, std::memory_order_release); }

void* moduleHandle() { return recordedHandle.load(std::memory_order_acquire); }

}  // namespace orv
