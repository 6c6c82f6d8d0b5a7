#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace orv {

inline uint32_t reverseBytes(uint32_t v) {
    return (v >> 24) | ((v >> 8) & 0x0000ff00u) | ((v << 8) & 0x00ff0000u) | (v << 24);
}

// Read-only bytes with their length. Every read is checked against the length: a reader given a
// ByteSpan cannot go past the end of what it was handed.
class ByteSpan {
public:
    ByteSpan() = default;
    ByteSpan(const uint8_t* data, size_t size) : data_(data), size_(data ? size : 0) {}

    const uint8_t* data() const { return data_; }
    size_t size() const { return size_; }

    // True when `count` bytes from `offset` lie inside the span (no overflow for any inputs).
    bool holds(size_t offset, size_t count) const { return offset <= size_ && count <= size_ - offset; }

    // The part from `offset` on (empty when offset is past the end), or at most `count` bytes of it.
    ByteSpan from(size_t offset) const { return offset <= size_ ? ByteSpan(data_ + offset, size_ - offset) : ByteSpan(); }
    ByteSpan first(size_t count) const { return ByteSpan(data_, count < size_ ? count : size_); }

    // 32-bit fields in the writer's byte order: as stored, or reversed. Callers check holds() first.
    uint32_t u32(size_t offset, bool reverse) const {
        uint32_t v;
        std::memcpy(&v, data_ + offset, sizeof(v));
        return reverse ? reverseBytes(v) : v;
    }
    int32_t i32(size_t offset, bool reverse) const { return static_cast<int32_t>(u32(offset, reverse)); }
    float f32(size_t offset, bool reverse) const {
        const uint32_t bits = u32(offset, reverse);
        float v;
        std::memcpy(&v, &bits, sizeof(v));
        return v;
    }

private:
    const uint8_t* data_ = nullptr;
    size_t size_ = 0;
};

// Writes 32-bit fields in the machine's byte order.
inline void putU32(uint8_t* at, uint32_t v) { std::memcpy(at, &v, sizeof(v)); }
inline void putI32(uint8_t* at, int32_t v) { std::memcpy(at, &v, sizeof(v)); }
inline void putF32(uint8_t* at, float v) { std::memcpy(at, &v, sizeof(v)); }

}  // namespace orv
