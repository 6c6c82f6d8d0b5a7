// orvmorix-render: renders audio files through a VST 2.4 effect from the command line.
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "host/CommandLine.h"
#include "host/RenderError.h"
#include "host/RenderJob.h"

namespace {

int fail(const std::string& message, int status) {
    std::cerr << "orvmorix-render: " << message << "\n";
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        const orvrender::RenderOptions options = orvrender::parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
        if (options.help) {
            std::cout << orvrender::helpText();
            return 0;
        }
        orvrender::runRenderJob(options, std::cout, std::cerr);
        return 0;
    } catch (const orvrender::RenderError& error) {
        return fail(error.what(), error.exitStatus());
    } catch (const std::exception& error) {
        return fail(std::string("unexpected failure: ") + error.what(), orvrender::kExitFailure);
    }
}
