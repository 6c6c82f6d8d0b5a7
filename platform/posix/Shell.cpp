#include "platform/Shell.h"

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

extern char** environ;

namespace orv::shell {

namespace {

bool isProgramOnPath(const char* program) {
    const char* path = std::getenv("PATH");
    if (!path) return false;
    std::string folders(path);
    size_t start = 0;
    while (start <= folders.size()) {
        size_t end = folders.find(':', start);
        if (end == std::string::npos) end = folders.size();
        const std::string candidate = folders.substr(start, end - start) + "/" + program;
        if (access(candidate.c_str(), X_OK) == 0) return true;
        start = end + 1;
    }
    return false;
}

}  // namespace

OpenResult openDocument(const std::string& path, void* ownerWindow) {
    (void)ownerWindow;
    struct stat info;
    if (path.empty() || stat(path.c_str(), &info) != 0) return OpenResult::failed;
    if (!isProgramOnPath("xdg-open")) return OpenResult::noAssociation;
    // xdg-open may wait for the viewer to close: start it from a shell that does not wait,
    // and reap only that shell.
    const char* argv[] = {"/bin/sh", "-c", "xdg-open \"$1\" >/dev/null 2>&1 &", "sh", path.c_str(), nullptr};
    pid_t shellPid = 0;
    if (posix_spawn(&shellPid, "/bin/sh", nullptr, nullptr, const_cast<char**>(argv), environ) != 0) {
        return OpenResult::failed;
    }
    int status = 0;
    if (waitpid(shellPid, &status, 0) != shellPid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        return OpenResult::failed;
    }
    return OpenResult::opened;
}

void showMessage(void* ownerWindow, const std::string& text, const std::string& caption) {
    (void)ownerWindow;
    if (caption.empty()) {
        std::fprintf(stderr, "%s\n", text.c_str());
    } else {
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    }
}

}  // namespace orv::shell
