#include "RenderTestSupport.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <sndfile.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <stdexcept>

extern char** environ;

namespace rendertest {

int64_t Sound::loudestFrame(int channel) const {
    int64_t best = 0;
    for (int64_t i = 1; i < frames(); ++i)
        if (std::abs(at(i, channel)) > std::abs(at(best, channel))) best = i;
    return best;
}

Sound silence(int channels, int64_t frames, int sampleRate) {
    Sound sound;
    sound.channels = channels;
    sound.sampleRate = sampleRate;
    sound.samples.assign(static_cast<size_t>(channels * frames), 0.0);
    return sound;
}

Sound impulse(int channels, int64_t frames, int64_t at, double height) {
    Sound sound = silence(channels, frames);
    for (int c = 0; c < channels; ++c) sound.samples[static_cast<size_t>(at * channels + c)] = height;
    return sound;
}

Sound sine(int channels, int64_t frames, double frequency, double amplitude, int sampleRate) {
    Sound sound = silence(channels, frames, sampleRate);
    for (int64_t i = 0; i < frames; ++i)
        for (int c = 0; c < channels; ++c)
            sound.samples[static_cast<size_t>(i * channels + c)] =
                amplitude * std::sin(2.0 * M_PI * frequency * static_cast<double>(i) / sampleRate);
    return sound;
}

void writeSound(const std::string& path, const Sound& sound) {
    SF_INFO info{};
    info.channels = sound.channels;
    info.samplerate = sound.sampleRate;
    info.format = sound.format ? sound.format : (SF_FORMAT_WAV | SF_FORMAT_FLOAT);
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file) throw std::runtime_error("cannot write " + path);
    sf_writef_double(file, sound.samples.data(), sound.frames());
    sf_close(file);
}

Sound readSound(const std::string& path) {
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file) throw std::runtime_error("cannot read " + path);
    Sound sound;
    sound.channels = info.channels;
    sound.sampleRate = info.samplerate;
    sound.format = info.format;
    sound.samples.resize(static_cast<size_t>(info.frames * info.channels));
    sf_readf_double(file, sound.samples.data(), info.frames);
    sf_close(file);
    return sound;
}

std::vector<uint8_t> readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::string readText(const std::string& path) {
    const std::vector<uint8_t> bytes = readBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

void writeText(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

bool exists(const std::string& path) { return std::filesystem::exists(path); }

ScratchFolder::ScratchFolder() {
    std::string pattern = std::filesystem::temp_directory_path().string() + "/orvrender-XXXXXX";
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a scratch folder");
    root_ = pattern;
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

std::vector<std::string> ScratchFolder::entries() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(root_)) names.push_back(entry.path().filename());
    return names;
}

RunResult runRenderer(const std::vector<std::string>& arguments) {
    ScratchFolder capture;
    const std::string outPath = capture.path("stdout"), errPath = capture.path("stderr");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<std::string> command = {ORV_RENDER_PATH};
    command.insert(command.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& argument : command) argv.push_back(argument.data());
    argv.push_back(nullptr);
    pid_t child = 0;
    const int spawned = posix_spawn(&child, ORV_RENDER_PATH, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) throw std::runtime_error("cannot start the renderer");
    int status = 0;
    waitpid(child, &status, 0);
    RunResult result;
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    result.out = readText(outPath);
    result.err = readText(errPath);
    return result;
}

std::map<std::string, std::optional<double>> reportLevels(const std::string& json, const std::string& side) {
    const std::regex object("\"" + side + "\": \\{([^}]*)\\}");
    std::smatch match;
    if (!std::regex_search(json, match, object)) throw std::runtime_error("no " + side + " levels in report");
    const std::string body = match[1];
    std::map<std::string, std::optional<double>> levels;
    const std::regex field("\"([a-z_]+)\": (null|[-0-9.eE+]+)");
    for (auto it = std::sregex_iterator(body.begin(), body.end(), field); it != std::sregex_iterator(); ++it) {
        const std::string value = (*it)[2];
        levels[(*it)[1]] = value == "null" ? std::nullopt : std::optional<double>(std::stod(value));
    }
    return levels;
}

double reportNumber(const std::string& json, const std::string& key) {
    std::smatch match;
    if (!std::regex_search(json, match, std::regex("\n  \"" + key + "\": ([-0-9.eE+]+)")))
        throw std::runtime_error("no " + key + " in report");
    return std::stod(match[1]);
}

}  // namespace rendertest
