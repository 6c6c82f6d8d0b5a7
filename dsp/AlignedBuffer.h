#pragma once

#include <cstddef>

namespace orv {

// A fixed number of doubles on a 16-byte boundary, allocated once and zeroed.
// Allocation failure leaves the buffer empty (data() null, size() 0) instead of throwing:
// the owner checks valid() once after construction.
class AlignedBuffer {
public:
    static constexpr std::size_t kAlignment = 16;

    AlignedBuffer() = default;
    explicit AlignedBuffer(std::size_t count);
    ~AlignedBuffer();
    AlignedBuffer(AlignedBuffer&& other) noexcept;
    AlignedBuffer& operator=(AlignedBuffer&& other) noexcept;
    AlignedBuffer(const AlignedBuffer&) = delete;
    AlignedBuffer& operator=(const AlignedBuffer&) = delete;

    double* data() { return data_; }
    const double* data() const { return data_; }
    std::size_t size() const { return size_; }
    bool valid() const { return data_ != nullptr; }
    double& operator[](std::size_t i) { return data_[i]; }
    double operator[](std::size_t i) const { return data_[i]; }

    // Zeros every slot; does nothing on an empty buffer.
    void clear();

private:
    void release();

    double* data_ = nullptr;
    std::size_t size_ = 0;
};

}  // namespace orv
