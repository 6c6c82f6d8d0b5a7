#pragma once

#include <string>

namespace orv::win32 {

// UTF-8 <-> UTF-16 for the wide Win32 calls; invalid sequences become U+FFFD.
std::wstring widen(const std::string& utf8);
std::string narrow(const std::wstring& utf16);

}  // namespace orv::win32
