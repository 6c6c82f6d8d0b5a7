#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "presets/ProgramRecord.h"

namespace orv::stream {

// A preset stream of one program: 41-byte header, its name record and one value record per saved
// parameter (1041 bytes when none is left out).
std::vector<uint8_t> writePreset(uint32_t effectId, const ProgramRecord& program, const ParameterMask& excluded);

// A bank stream of all 27 programs, each a name record followed by its value records (27041 bytes
// when no parameter is left out). Values are read one by one, so the live store may be passed.
std::vector<uint8_t> writeBank(uint32_t effectId, std::span<const ProgramRecord, kNumStoredPrograms> bank,
                               int32_t currentProgram, const ParameterMask& excluded);

}  // namespace orv::stream
