#include <gtest/gtest.h>

#include "RenderTestSupport.h"

namespace rendertest {
namespace {

TEST(Help, PrintsEveryOptionOnStandardOutputAndSucceeds) {
    const RunResult run = runRenderer({"--help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.err.empty()) << run.err;
    for (const char* option : {"--plugin", "--block", "--double", "--format", "--no-latency-compensation", "--program",
                               "--list-programs", "--list-params", "--set", "--state", "--save-state", "--json", "--quiet",
                               "--demo"})
        EXPECT_NE(run.out.find(option), std::string::npos) << option;
}

}  // namespace
}  // namespace rendertest
