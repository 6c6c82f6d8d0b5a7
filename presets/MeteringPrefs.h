#pragma once

namespace orv {

class AudioEffect;

// The user's metering defaults: six step indices kept as dwords under the "PREFS" key.

// Passes each stored setting that is present and valid to the effect's setParameter as its step's
// centre. A stored integer outside its parameter's steps is ignored.
void loadMeteringPrefs(AudioEffect& effect);

// Stores the six current settings, in table order; false when the store could not take them all.
bool saveMeteringPrefs(AudioEffect& effect);

}  // namespace orv
