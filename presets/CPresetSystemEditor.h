#pragma once

#include "plugin/base/AEffEditor.h"

namespace orv {

class CPresetSystemEffect;

// Editor-side half of the preset system: stream writers and readers, files, stored defaults.
class CPresetSystemEditor : public AEffEditor {
public:
    explicit CPresetSystemEditor(CPresetSystemEffect* effect);
    ~CPresetSystemEditor() override = default;

    // Applies the user's stored default bank and preset at construction.
    virtual void applyUserDefaults() {}
    // The current program's name changed: the name display follows.
    virtual void programNameChanged() {}

protected:
    CPresetSystemEffect* presetEffect() const;
};

}  // namespace orv
