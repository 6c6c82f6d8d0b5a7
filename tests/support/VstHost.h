// A small VST 2.4 host for tests: loads the built plug-in module, calls VSTPluginMain with
// its own callback, and records what the plug-in asks of the host.
#pragma once

#include <atomic>
#include <cstdint>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include "plugin/vst2.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

#ifndef ORV_PLUGIN_PATH
#error "ORV_PLUGIN_PATH must name the built plug-in module"
#endif

namespace orvtest {

// The loaded module; unloaded when the object goes.
class PluginModule {
public:
    explicit PluginModule(const std::string& path = ORV_PLUGIN_PATH) {
#if defined(_WIN32)
        std::wstring wide(path.begin(), path.end());
        handle_ = LoadLibraryW(wide.c_str());
        // Through void (*)(), which converts to any function pointer without a warning.
        using AnyFunction = void (*)();
        if (handle_)
            entry_ = reinterpret_cast<VstPluginMainProc>(
                reinterpret_cast<AnyFunction>(GetProcAddress(handle_, "VSTPluginMain")));
        if (handle_)
            mainEntry_ =
                reinterpret_cast<VstPluginMainProc>(reinterpret_cast<AnyFunction>(GetProcAddress(handle_, "main")));
#else
        handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (handle_) entry_ = reinterpret_cast<VstPluginMainProc>(dlsym(handle_, "VSTPluginMain"));
        if (handle_) mainEntry_ = reinterpret_cast<VstPluginMainProc>(dlsym(handle_, "main"));
#endif
    }
    ~PluginModule() {
#if defined(_WIN32)
        if (handle_) FreeLibrary(handle_);
#else
        if (handle_) dlclose(handle_);
#endif
    }
    PluginModule(const PluginModule&) = delete;
    PluginModule& operator=(const PluginModule&) = delete;

    bool loaded() const { return handle_ != nullptr && entry_ != nullptr; }
    VstPluginMainProc entry() const { return entry_; }
    VstPluginMainProc mainEntry() const { return mainEntry_; }

    // One process-wide module, as a host keeps it loaded across instances.
    static PluginModule& shared() {
        static PluginModule module;
        return module;
    }

private:
#if defined(_WIN32)
    HMODULE handle_ = nullptr;
#else
    void* handle_ = nullptr;
#endif
    VstPluginMainProc entry_ = nullptr;
    VstPluginMainProc mainEntry_ = nullptr;
};

// Host-side state of one instance; the callback finds it through AEffect::user... which belongs
// to the host only after creation, so creation goes through a thread-local "current host".
class TestHost {
public:
    struct Request {
        int32_t opcode;
        int32_t index;
        intptr_t value;
        float opt;
    };

    TestHost() = default;
    ~TestHost() { close(); }
    TestHost(const TestHost&) = delete;
    TestHost& operator=(const TestHost&) = delete;

    // Creates an instance through VSTPluginMain; false when the plug-in returned null.
    bool open(VstPluginMainProc entry = PluginModule::shared().entry()) {
        if (!entry) return false;
        creating() = this;
        effect_ = entry(&TestHost::callback);
        creating() = nullptr;
        if (effect_) effect_->user = this;
        return effect_ != nullptr;
    }

    // effClose; the plug-in deletes itself.
    intptr_t close() {
        if (!effect_) return 0;
        const intptr_t r = dispatch(effClose);
        effect_ = nullptr;
        return r;
    }

    AEffect* effect() const { return effect_; }

    intptr_t dispatch(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr, float opt = 0) {
        return effect_->dispatcher(effect_, opcode, index, value, ptr, opt);
    }

    std::string text(int32_t opcode, int32_t index = 0) {
        char buffer[256];
        std::memset(buffer, 0x55, sizeof(buffer));
        buffer[255] = 0;
        std::strcpy(buffer, "<untouched>");
        dispatch(opcode, index, 0, buffer);
        return buffer;
    }
    std::string parameterName(int32_t i) { return text(effGetParamName, i); }
    std::string parameterLabel(int32_t i) { return text(effGetParamLabel, i); }
    std::string parameterDisplay(int32_t i) { return text(effGetParamDisplay, i); }

    void setParameter(int32_t index, float value) { effect_->setParameter(effect_, index, value); }
    float getParameter(int32_t index) { return effect_->getParameter(effect_, index); }
    void setSampleRate(float rate) { dispatch(effSetSampleRate, 0, 0, nullptr, rate); }

    // Stereo processing of whole buffers in blocks of blockSize.
    template <typename Sample>
    void process(const std::vector<Sample>& inL, const std::vector<Sample>& inR, std::vector<Sample>& outL,
                 std::vector<Sample>& outR, int32_t blockSize = 512) {
        outL.assign(inL.size(), Sample(0));
        outR.assign(inR.size(), Sample(0));
        for (size_t at = 0; at < inL.size(); at += static_cast<size_t>(blockSize)) {
            const int32_t n = static_cast<int32_t>(std::min(static_cast<size_t>(blockSize), inL.size() - at));
            Sample* ins[2] = {const_cast<Sample*>(inL.data() + at), const_cast<Sample*>(inR.data() + at)};
            Sample* outs[2] = {outL.data() + at, outR.data() + at};
            processBlock(ins, outs, n);
        }
    }
    void processBlock(float** ins, float** outs, int32_t n) { effect_->processReplacing(effect_, ins, outs, n); }
    void processBlock(double** ins, double** outs, int32_t n) {
        effect_->processDoubleReplacing(effect_, ins, outs, n);
    }

    // --- what the host answers ---
    intptr_t versionAnswer = 2400;
    bool acceptIOChanges = false;
    std::atomic<bool> input1Connected{true};
    std::atomic<bool> output1Connected{true};

    std::vector<Request> requests() {
        std::lock_guard<std::mutex> g(mutex_);
        return requests_;
    }
    size_t count(int32_t opcode) {
        std::lock_guard<std::mutex> g(mutex_);
        size_t n = 0;
        for (const Request& r : requests_) n += r.opcode == opcode;
        return n;
    }
    void clearRequests() {
        std::lock_guard<std::mutex> g(mutex_);
        requests_.clear();
    }

private:
    static TestHost*& creating() {
        static thread_local TestHost* host = nullptr;
        return host;
    }

    static intptr_t VSTCALLBACK callback(AEffect* effect, int32_t opcode, int32_t index, intptr_t value, void* ptr,
                                         float opt) {
        TestHost* host = (effect && effect->user) ? static_cast<TestHost*>(effect->user) : creating();
        if (!host) return opcode == audioMasterVersion ? 2400 : 0;
        return host->answer(opcode, index, value, ptr, opt);
    }

    intptr_t answer(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) {
        if (opcode != audioMasterPinConnected) {
            std::lock_guard<std::mutex> g(mutex_);
            requests_.push_back({opcode, index, value, opt});
        }
        switch (opcode) {
            case audioMasterVersion:
                return versionAnswer;
            case audioMasterPinConnected: {
                // 0 means connected.
                const bool connected = value == 0 ? (index == 0 || input1Connected.load())
                                                  : (index == 0 || output1Connected.load());
                return connected ? 0 : 1;
            }
            case audioMasterCanDo:
                return (acceptIOChanges && ptr && std::strcmp(static_cast<const char*>(ptr), "acceptIOChanges") == 0)
                           ? 1
                           : 0;
            case audioMasterIOChanged:
                return 1;
            default:
                return 0;
        }
    }

    AEffect* effect_ = nullptr;
    std::mutex mutex_;
    std::vector<Request> requests_;
};

}  // namespace orvtest
