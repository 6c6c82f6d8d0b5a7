#include "platform/Shell.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdint>

#include "platform/win32/WideText.h"

namespace orv::shell {

OpenResult openDocument(const std::string& path, void* ownerWindow) {
    const HINSTANCE answer = ShellExecuteW(static_cast<HWND>(ownerWindow), L"open", win32::widen(path).c_str(),
                                           nullptr, nullptr, SW_SHOWNORMAL);
    // Values above 32 mean success; smaller ones are error codes.
    const intptr_t code = reinterpret_cast<intptr_t>(answer);
    if (code > 32) return OpenResult::opened;
    return code == SE_ERR_NOASSOC ? OpenResult::noAssociation : OpenResult::failed;
}

void showMessage(void* ownerWindow, const std::string& text, const std::string& caption) {
    MessageBoxW(static_cast<HWND>(ownerWindow), win32::widen(text).c_str(), win32::widen(caption).c_str(), MB_OK);
}

}  // namespace orv::shell
