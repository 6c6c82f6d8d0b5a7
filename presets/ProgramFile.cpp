#include "presets/ProgramFile.h"

#include <cstdio>
#include <memory>

namespace orv {

namespace {
// Closes the stream on every way out.
struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;
}  // namespace

std::optional<std::vector<uint8_t>> readProgramFile(const std::string& path) {
    FileHandle file(std::fopen(path.c_str(), "rb"));
    if (!file) return std::nullopt;
    std::vector<uint8_t> bytes;
    uint8_t block[4096];
    for (;;) {
        const size_t n = std::fread(block, 1, sizeof(block), file.get());
        if (bytes.size() + n > kMaxProgramFileBytes) return std::nullopt;
        bytes.insert(bytes.end(), block, block + n);
        if (n < sizeof(block)) break;
    }
    if (std::ferror(file.get())) return std::nullopt;
    return bytes;
}

bool writeProgramFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return (std::fclose(file) == 0) && written;
}

}  // namespace orv
