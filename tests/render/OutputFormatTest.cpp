#include <gtest/gtest.h>
#include <sndfile.h>

#include "host/OutputFormat.h"
#include "host/RenderError.h"

namespace orvrender {
namespace {

struct FormatCase {
    const char* path;
    int input;
    std::optional<SampleFormat> requested;
    int expected;
};

class OutputFormatChoice : public testing::TestWithParam<FormatCase> {};

TEST_P(OutputFormatChoice, FollowsExtensionThenRequestThenInput) {
    EXPECT_EQ(outputFormat(GetParam().path, GetParam().input, GetParam().requested), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OutputFormatChoice,
    testing::Values(FormatCase{"a.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, std::nullopt, SF_FORMAT_WAV | SF_FORMAT_PCM_16},
                    FormatCase{"a.WAV", SF_FORMAT_AIFF | SF_FORMAT_PCM_24, std::nullopt, SF_FORMAT_WAV | SF_FORMAT_PCM_24},
                    FormatCase{"dir.x/a.wav", SF_FORMAT_OGG | SF_FORMAT_VORBIS, std::nullopt, SF_FORMAT_WAV | SF_FORMAT_FLOAT},
                    FormatCase{"a.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_U8, std::nullopt, SF_FORMAT_WAV | SF_FORMAT_PCM_16},
                    FormatCase{"a.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, SampleFormat::Float32, SF_FORMAT_WAV | SF_FORMAT_FLOAT},
                    FormatCase{"a.flac", SF_FORMAT_WAV | SF_FORMAT_FLOAT, std::nullopt, SF_FORMAT_FLAC | SF_FORMAT_PCM_24},
                    FormatCase{"a.flac", SF_FORMAT_WAV | SF_FORMAT_FLOAT, SampleFormat::Pcm16, SF_FORMAT_FLAC | SF_FORMAT_PCM_16}));

TEST(OutputFormat, RefusesContainersAndSamplesItCannotWrite) {
    for (const char* path : {"a.mp3", "a.ogg", "a", "dir.wav/a"})
        EXPECT_THROW(outputFormat(path, SF_FORMAT_WAV | SF_FORMAT_PCM_16, std::nullopt), RenderError) << path;
    EXPECT_THROW(outputFormat("a.flac", SF_FORMAT_WAV | SF_FORMAT_PCM_16, SampleFormat::Float32), RenderError);
}

}  // namespace
}  // namespace orvrender
