#include "presets/CPresetSystemEditor.h"

#include "presets/CPresetSystemEffect.h"

namespace orv {

CPresetSystemEditor::CPresetSystemEditor(CPresetSystemEffect* effect) : AEffEditor(effect) {}

CPresetSystemEffect* CPresetSystemEditor::presetEffect() const { return static_cast<CPresetSystemEffect*>(effect_); }

}  // namespace orv
