#pragma once

#include <bitset>
#include <cstdint>
#include <optional>

#include "presets/ByteOrder.h"
#include "presets/ProgramRecord.h"
#include "presets/ProgramStreamFormat.h"

namespace orv::stream {

// A bank as a reader leaves it: the programs, the program to make current, and which programs
// got their name (and were reset to the template) from the data.
struct LoadedBank {
    ProgramBank programs{};
    int32_t current = 0;
    std::bitset<kNumStoredPrograms> named;
};

// The readers take the header (already in the machine's byte order) and the bytes after it. The
// records must lie within the header's record-byte count, which must lie within `records`; a
// negative count or size, a record running past the end, a name or value record too short for
// its fields, or a value of a known parameter outside 0..1 (NaN included) rejects the stream as
// a whole. Records of another type, parameter index or (bank) program index are skipped.

// The program a preset stream describes: the template, then the stream's name and values.
std::optional<ProgramRecord> readPreset(ByteSpan records, const Header& header, bool reverse,
                                        const ProgramRecord& templ);

// Applies a bank stream to `bank.programs` (which the caller fills with the store as it is): a
// name record resets its program to the template. On false `bank` is of no use.
bool readBank(ByteSpan records, const Header& header, bool reverse, const ProgramRecord& templ, LoadedBank& bank);

}  // namespace orv::stream
