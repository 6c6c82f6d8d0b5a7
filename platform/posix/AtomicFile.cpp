#include "platform/posix/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace orv::posixfs {

namespace {

bool isFolder(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool writeAll(int fd, const uint8_t* data, size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

// Closes the descriptor on every path out of a scope.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }
    // Closes now and reports whether the last writes reached the file.
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

}  // namespace

bool makeFolders(const std::string& folder) {
    if (folder.empty() || folder[0] != '/') return false;
    for (size_t at = folder.find('/', 1);; at = folder.find('/', at + 1)) {
        const std::string part = folder.substr(0, at);
        if (::mkdir(part.c_str(), 0755) != 0 && errno != EEXIST) return false;
        if (at == std::string::npos) break;
    }
    return isFolder(folder);
}

bool replaceFile(const std::string& folder, const std::string& name, const uint8_t* data, size_t size) {
    // A hidden, uniquely named temporary: two writers never share one.
    std::string temp = folder + "/." + name + ".XXXXXX";
    FileDescriptor fd(::mkstemp(temp.data()));
    if (fd.get() < 0) return false;
    const bool written = writeAll(fd.get(), data, size) && ::fsync(fd.get()) == 0;
    if (!fd.close() || !written || ::rename(temp.c_str(), (folder + "/" + name).c_str()) != 0) {
        ::unlink(temp.c_str());
        return false;
    }
    return true;
}

std::optional<std::vector<uint8_t>> readFile(const std::string& path, size_t maxBytes) {
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) return std::nullopt;
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
    std::vector<uint8_t> bytes;
    uint8_t block[4096];
    for (;;) {
        const ssize_t n = ::read(fd.get(), block, sizeof(block));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return std::nullopt;
        if (n == 0) break;
        if (bytes.size() + static_cast<size_t>(n) > maxBytes) return std::nullopt;
        bytes.insert(bytes.end(), block, block + n);
    }
    return bytes;
}

bool removeFile(const std::string& path) { return ::unlink(path.c_str()) == 0 || errno == ENOENT; }

}  // namespace orv::posixfs
