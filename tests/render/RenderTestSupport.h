// Helpers for driving orvmorix-render as a user would: sound files in a scratch folder,
// the executable run as a child process, and the figures it reports read back.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace rendertest {

struct Sound {
    int channels = 2;
    int sampleRate = 44100;
    int format = 0;               // libsndfile format; 0: float WAV
    std::vector<double> samples;  // interleaved

    int64_t frames() const { return static_cast<int64_t>(samples.size()) / channels; }
    double at(int64_t frame, int channel) const { return samples[static_cast<size_t>(frame * channels + channel)]; }
    // Frame of the largest magnitude in one channel.
    int64_t loudestFrame(int channel) const;
};

Sound silence(int channels, int64_t frames, int sampleRate = 44100);
Sound impulse(int channels, int64_t frames, int64_t at, double height = 0.5);
Sound sine(int channels, int64_t frames, double frequency, double amplitude, int sampleRate = 44100);

void writeSound(const std::string& path, const Sound& sound);
Sound readSound(const std::string& path);
std::vector<uint8_t> readBytes(const std::string& path);
std::string readText(const std::string& path);
void writeText(const std::string& path, const std::string& text);
bool exists(const std::string& path);

// A fresh folder, removed with everything in it.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::string path(const std::string& name) const { return root_ + "/" + name; }
    std::vector<std::string> entries() const;

private:
    std::string root_;
};

struct RunResult {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs the renderer with these arguments, standard output and error captured.
RunResult runRenderer(const std::vector<std::string>& arguments);

// "input" or "output" level figures from the JSON report; nullopt for a JSON null.
std::map<std::string, std::optional<double>> reportLevels(const std::string& json, const std::string& side);
// A top-level number of the JSON report.
double reportNumber(const std::string& json, const std::string& key);

}  // namespace rendertest
