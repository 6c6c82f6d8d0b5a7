#pragma once

#include "presets/ProgramRecord.h"

namespace orv {

struct FactoryProgram {
    const char* name;
    double values[kNumParams];
};

// The 27 programs the effect ships with; program 0, "Default", is the reset template.
extern const FactoryProgram kFactoryPrograms[kNumStoredPrograms];

void writeFactoryProgram(ProgramRecord& record, const FactoryProgram& program);

}  // namespace orv
