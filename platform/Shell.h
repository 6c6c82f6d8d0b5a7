#pragma once

#include <string>

namespace orv::shell {

// How a request to open a document with the system's program for it ended.
enum class OpenResult {
    opened,
    noAssociation,  // the file is there, but no program is set up to open it
    failed,
};

// Opens a document (UTF-8 path) with its associated program, without waiting for that
// program. ownerWindow: the native window asking (HWND on Windows), or null.
OpenResult openDocument(const std::string& path, void* ownerWindow);

// A modal message with an OK button (UTF-8 texts). ownerWindow as above.
void showMessage(void* ownerWindow, const std::string& text, const std::string& caption);

}  // namespace orv::shell
