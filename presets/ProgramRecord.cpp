#include "presets/ProgramRecord.h"

#include <cstring>

namespace orv {

void copyProgram(ProgramRecord& to, const ProgramRecord& from) {
    if (&to == &from) return;
    std::memcpy(to.name, from.name, sizeof(to.name));
    for (int32_t i = 0; i < kNumParams; ++i) to.setValue(i, from.value(i));
}

void copyProgramName(ProgramRecord& record, const char* name) {
    if (!name) return;
    char temp[kProgramNameSize + 1] = {};
    // strnlen is not in every C runtime we build with.
    size_t n = 0;
    while (n < kProgramNameSize && name[n]) ++n;
    std::memcpy(temp, name, n);
    if (n < kProgramNameSize - 1) {
        std::memset(record.name, 0, sizeof(record.name));
        std::memcpy(record.name, temp, n + 1);
    } else {
        std::memcpy(record.name, temp, kProgramNameSize);
        record.name[kProgramNameSize - 1] = 0;
    }
}

}  // namespace orv
