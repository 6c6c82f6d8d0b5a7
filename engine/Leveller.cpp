#include "engine/Leveller.h"

#include "engine/OnePole.h"

namespace orv {

void Leveller::setSampleRate(double fs) { coef_ = onePoleCoefficient(1000.0, fs); }

}  // namespace orv
