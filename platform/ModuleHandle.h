#pragma once

namespace orv {

// The loaded plug-in module's instance handle (HINSTANCE on Windows), through which its
// resources are found. The module's load entry records it; null where nothing does.
void setModuleHandle(void* handle);
void* moduleHandle();

}  // namespace orv
