#pragma once

#include <cstdint>

namespace orv {

// What the migration needs of the effect: the stored values and the full setParameter path.
class ParameterAccess {
public:
    virtual ~ParameterAccess() = default;
    virtual float storedValue(int32_t index) = 0;
    virtual void setParameter(int32_t index, float value) = 0;
};

// Brings a parameter set written by an older layout (version 0 or 1) to the current one.
// Newer or unknown versions change nothing.
void migrateParameterLayout(int32_t version, ParameterAccess& access);

}  // namespace orv
