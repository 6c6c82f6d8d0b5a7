// Orv Morix's state chunk as a host sees it: an 8-byte header (version, effect identifier)
// followed by a bank stream whose header names the current program. Selecting a program the
// way a host restoring a session would means writing that index and handing the chunk back.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace orvrender {

class BankChunk {
public:
    // Empty when the bytes are not a bank chunk of the effect with this identifier.
    static std::optional<BankChunk> recognise(std::vector<uint8_t> bytes, int32_t effectId);

    int32_t currentProgram() const;
    void setCurrentProgram(int32_t index);
    const std::vector<uint8_t>& bytes() const { return bytes_; }

private:
    BankChunk(std::vector<uint8_t> bytes, bool reversed) : bytes_(std::move(bytes)), reversed_(reversed) {}

    int32_t readInteger(size_t offset) const;
    void writeInteger(size_t offset, int32_t value);

    std::vector<uint8_t> bytes_;
    bool reversed_;  // written on a machine of the other byte order
};

}  // namespace orvrender
