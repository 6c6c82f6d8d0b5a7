// A file that appears under its name only when complete: written to a temporary file beside
// the target and renamed over it on commit; removed if never committed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orvrender {

class AtomicFile {
public:
    explicit AtomicFile(std::string target);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // The open temporary file; the caller becomes its owner and must close it before commit.
    int takeDescriptor();
    const std::string& temporaryPath() const { return temporary_; }
    const std::string& target() const { return target_; }

    // Writes bytes through the descriptor this object still owns.
    void write(const std::vector<uint8_t>& bytes);
    void commit();

private:
    void closeDescriptor();

    std::string target_;
    std::string temporary_;
    int descriptor_ = -1;
    bool committed_ = false;
};

// Whole-file helpers that report failures as one-line RenderErrors.
std::vector<uint8_t> readWholeFile(const std::string& path, const std::string& what);
void writeFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes, const std::string& what);

// True when both paths name the same existing file (links and different spellings included).
bool sameFile(const std::string& a, const std::string& b);

}  // namespace orvrender
