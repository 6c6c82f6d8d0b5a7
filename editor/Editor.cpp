#include "editor/Editor.h"

namespace orv {

Editor::Editor(CPresetSystemEffect* effect) : CPresetSystemEditor(effect) {}

bool Editor::getRect(ERect** rect) {
    if (!rect) return false;
    *rect = &rect_;
    return true;
}

// No window back end yet: the host is told the editor could not open.
bool Editor::open(void* parentWindow) {
    (void)parentWindow;
    return false;
}

}  // namespace orv
