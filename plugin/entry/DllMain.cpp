// The Windows load entry: records the module handle (resources are loaded through it).
#include <windows.h>

#include "platform/ModuleHandle.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    (void)reserved;
    if (reason == DLL_PROCESS_ATTACH) orv::setModuleHandle(instance);
    return TRUE;
}
