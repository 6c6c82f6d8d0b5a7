// The one kind of failure the renderer reports: a one-line message and an exit status.
#pragma once

#include <stdexcept>
#include <string>

namespace orvrender {

inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

class RenderError : public std::runtime_error {
public:
    explicit RenderError(const std::string& message, int exitStatus = kExitFailure)
        : std::runtime_error(message), exitStatus_(exitStatus) {}
    int exitStatus() const { return exitStatus_; }

private:
    int exitStatus_;
};

// A mistake in the command line itself.
class UsageError : public RenderError {
public:
    explicit UsageError(const std::string& message) : RenderError(message, kExitUsage) {}
};

}  // namespace orvrender
