#include "dsp/AlignedBuffer.h"

#include <algorithm>
#include <new>
#include <utility>

namespace orv {

// Aligned operator new rather than posix_memalign: the Windows run-time has no posix_memalign.
AlignedBuffer::AlignedBuffer(std::size_t count) {
    if (count == 0) return;
    void* p = ::operator new(count * sizeof(double), std::align_val_t(kAlignment), std::nothrow);
    if (p == nullptr) return;
    data_ = static_cast<double*>(p);
    size_ = count;
    clear();
}

AlignedBuffer::~AlignedBuffer() { release(); }

AlignedBuffer::AlignedBuffer(AlignedBuffer&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)) {}

AlignedBuffer& AlignedBuffer::operator=(AlignedBuffer&& other) noexcept {
    if (this != &other) {
        release();
        data_ = std::exchange(other.data_, nullptr);
        size_ = std::exchange(other.size_, 0);
    }
    return *this;
}

void AlignedBuffer::clear() { std::fill(data_, data_ + size_, 0.0); }

void AlignedBuffer::release() {
    if (data_ != nullptr) ::operator delete(data_, std::align_val_t(kAlignment));
    data_ = nullptr;
    size_ = 0;
}

}  // namespace orv
