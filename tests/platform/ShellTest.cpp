// Opening a document with the system's program: failures come back as such.
#include "platform/Shell.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace orv {
namespace {

TEST(Shell, MissingDocumentFails) {
    const std::filesystem::path missing = std::filesystem::temp_directory_path() / "orv-no-such-manual.pdf";
    std::filesystem::remove(missing);
    EXPECT_EQ(shell::openDocument(missing.string(), nullptr), shell::OpenResult::failed);
    EXPECT_EQ(shell::openDocument("", nullptr), shell::OpenResult::failed);
}

#if defined(_WIN32)
// The shell's own answer for a file type nothing is registered for (its code 31) stays distinct.
TEST(Shell, FileTypeWithoutProgramReportsNoAssociation) {
    const std::filesystem::path file = std::filesystem::temp_directory_path() / "orv-shell-test.orvnoassoc";
    std::FILE* f = std::fopen(file.string().c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fputs("x", f);
    std::fclose(f);
    EXPECT_EQ(shell::openDocument(file.string(), nullptr), shell::OpenResult::noAssociation);
    std::filesystem::remove(file);
}
#endif

}  // namespace
}  // namespace orv
