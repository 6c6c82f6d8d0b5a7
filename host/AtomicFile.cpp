#include "host/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "host/RenderError.h"

namespace orvrender {

namespace {

std::string reason() { return std::strerror(errno); }

mode_t defaultFileMode() {
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

}  // namespace

AtomicFile::AtomicFile(std::string target) : target_(std::move(target)) {
    std::string pattern = target_ + ".tmp-XXXXXX";
    descriptor_ = mkstemp(pattern.data());
    if (descriptor_ < 0) throw RenderError("cannot create " + target_ + ": " + reason());
    temporary_ = pattern;
    fchmod(descriptor_, defaultFileMode());
}

AtomicFile::~AtomicFile() {
    closeDescriptor();
    if (!committed_) unlink(temporary_.c_str());
}

int AtomicFile::takeDescriptor() {
    const int descriptor = descriptor_;
    descriptor_ = -1;
    return descriptor;
}

void AtomicFile::write(const std::vector<uint8_t>& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(descriptor_, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) throw RenderError("cannot write " + target_ + ": " + reason());
        done += static_cast<size_t>(n);
    }
}

void AtomicFile::commit() {
    if (descriptor_ >= 0) {
        const int failed = fsync(descriptor_) != 0 || close(descriptor_) != 0;
        descriptor_ = -1;
        if (failed) throw RenderError("cannot write " + target_ + ": " + reason());
    }
    if (std::rename(temporary_.c_str(), target_.c_str()) != 0)
        throw RenderError("cannot write " + target_ + ": " + reason());
    committed_ = true;
}

void AtomicFile::closeDescriptor() {
    if (descriptor_ >= 0) close(descriptor_);
    descriptor_ = -1;
}

std::vector<uint8_t> readWholeFile(const std::string& path, const std::string& what) {
    const int descriptor = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) throw RenderError("cannot read " + what + " " + path + ": " + reason());
    std::vector<uint8_t> bytes;
    uint8_t buffer[65536];
    for (;;) {
        const ssize_t n = read(descriptor, buffer, sizeof(buffer));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            const std::string why = reason();
            close(descriptor);
            throw RenderError("cannot read " + what + " " + path + ": " + why);
        }
        if (n == 0) break;
        bytes.insert(bytes.end(), buffer, buffer + n);
    }
    close(descriptor);
    return bytes;
}

void writeFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes, const std::string& what) {
    try {
        AtomicFile file(path);
        file.write(bytes);
        file.commit();
    } catch (const RenderError& error) {
        throw RenderError(what + ": " + error.what());
    }
}

bool sameFile(const std::string& a, const std::string& b) {
    struct stat first {}, second {};
    if (stat(a.c_str(), &first) != 0 || stat(b.c_str(), &second) != 0) return false;
    return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

}  // namespace orvrender
