#pragma once

#include <cstdint>
#include <optional>

#include "presets/ByteOrder.h"
#include "presets/ProgramRecord.h"
#include "presets/ProgramStreamReader.h"

namespace orv::legacy {

// The layouts older versions wrote: program records of 24 name bytes followed by single-precision
// values in parameter order. Like the stream readers they check every value: one outside 0..1
// (NaN included) rejects the whole load, and no record may run past the bytes handed over.
// Parameters in `excluded` are not taken; a negative count counts as 0.

// A legacy preset body (the bytes after identifier and kind): name and `valueCount` values.
std::optional<ProgramRecord> readPreset(ByteSpan body, bool reverse, int32_t valueCount, const ProgramRecord& templ,
                                        const ParameterMask& excluded);

// A legacy bank body: `programCount` records of 24 + 4 × valuesPerProgram bytes; each record read
// resets its program to the template first. Program 0 becomes current.
bool readBank(ByteSpan body, bool reverse, int32_t programCount, int32_t valuesPerProgram, const ProgramRecord& templ,
              const ParameterMask& excluded, stream::LoadedBank& bank);

// A whole version-1 host chunk: version, identifier, N, current index, four unused integers, then
// N records that share the rest of the chunk equally.
bool readChunk(ByteSpan chunk, bool reverse, const ProgramRecord& templ, const ParameterMask& excluded,
               stream::LoadedBank& bank);

}  // namespace orv::legacy
