#include "platform/win32/WideText.h"

#include <windows.h>

#include <climits>

namespace orv::win32 {

std::wstring widen(const std::string& utf8) {
    if (utf8.empty() || utf8.size() > INT_MAX) return {};
    const int length = static_cast<int>(utf8.size());
    const int count = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
    std::wstring wide(static_cast<size_t>(count), L'\0');
    if (count > 0) MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, wide.data(), count);
    return wide;
}

std::string narrow(const std::wstring& utf16) {
    if (utf16.empty() || utf16.size() > INT_MAX) return {};
    const int length = static_cast<int>(utf16.size());
    const int count = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), length, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(count), '\0');
    if (count > 0) WideCharToMultiByte(CP_UTF8, 0, utf16.data(), length, text.data(), count, nullptr, nullptr);
    return text;
}

}  // namespace orv::win32
