#include "host/PluginModule.h"

#include <dlfcn.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

#include "host/RenderError.h"

namespace orvrender {

namespace {

constexpr const char* kPluginFileName = "OrvMorix.so";

std::string oneLine(std::string text) {
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

bool isFile(const std::string& path) { return access(path.c_str(), R_OK) == 0; }

std::string executableFolder() {
    std::vector<char> buffer(4096);
    const ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (n <= 0) return {};
    const std::string path(buffer.data(), static_cast<size_t>(n));
    return path.substr(0, path.rfind('/'));
}

}  // namespace

PluginModule::PluginModule(const std::string& path) : path_(path) {
    // A bare file name would make dlopen search the library path instead of the current folder.
    const std::string loadPath = path.find('/') == std::string::npos ? "./" + path : path;
    if (!isFile(loadPath)) throw RenderError("cannot load plug-in " + path + ": no such readable file");
    handle_ = dlopen(loadPath.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_) throw RenderError("cannot load plug-in " + path + ": " + oneLine(dlerror()));
    entry_ = reinterpret_cast<VstPluginMainProc>(dlsym(handle_, "VSTPluginMain"));
    if (!entry_) entry_ = reinterpret_cast<VstPluginMainProc>(dlsym(handle_, "main"));
    if (!entry_) {
        dlclose(handle_);
        throw RenderError("plug-in " + path + " exports neither VSTPluginMain nor main");
    }
}

PluginModule::~PluginModule() { dlclose(handle_); }

std::string defaultPluginPath() {
    const std::string folder = executableFolder();
    std::vector<std::string> candidates = {folder + "/" + kPluginFileName, folder + "/../plugin/" + kPluginFileName};
#ifdef ORV_BUILT_PLUGIN_PATH
    candidates.push_back(ORV_BUILT_PLUGIN_PATH);
#endif
    for (const std::string& candidate : candidates)
        if (isFile(candidate)) return candidate;
    throw RenderError(std::string("cannot find the Orv Morix plug-in (") + kPluginFileName + "); name one with --plugin PATH");
}

}  // namespace orvrender
