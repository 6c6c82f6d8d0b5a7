#include <gtest/gtest.h>

#include "host/NameLookup.h"
#include "host/RenderError.h"

namespace orvrender {
namespace {

const std::vector<std::string> kNames = {"Output", "output ", "Drive", "L/R Link", "dummy", "dummy"};

TEST(NameLookup, ExactBeforeLooseAndLooseOnlyWhenUnique) {
    EXPECT_EQ(findByName(kNames, "Output", "parameter"), 0);
    EXPECT_EQ(findByName(kNames, "drive", "parameter"), 2);
    EXPECT_EQ(findByName(kNames, " l/r link", "parameter"), 3);
}

TEST(NameLookup, UnknownAndAmbiguousNamesAreErrors) {
    for (const char* name : {"OUTPUT", "dummy", "Drift", ""}) EXPECT_THROW(findByName(kNames, name, "parameter"), RenderError) << name;
    try {
        findByName(kNames, "Drift", "parameter");
    } catch (const RenderError& error) {
        EXPECT_STREQ(error.what(), "unknown parameter 'Drift'");
    }
}

}  // namespace
}  // namespace orvrender
