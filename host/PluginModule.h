// A plug-in library loaded with dlopen, kept loaded while its effect lives.
#pragma once

#include <string>

#include "plugin/vst2.h"

namespace orvrender {

class PluginModule {
public:
    explicit PluginModule(const std::string& path);
    ~PluginModule();
    PluginModule(const PluginModule&) = delete;
    PluginModule& operator=(const PluginModule&) = delete;

    VstPluginMainProc entry() const { return entry_; }
    const std::string& path() const { return path_; }

private:
    std::string path_;
    void* handle_ = nullptr;
    VstPluginMainProc entry_ = nullptr;
};

// Our own plug-in: beside the executable, in the build tree next to it, or where it was built.
std::string defaultPluginPath();

}  // namespace orvrender
