#include <gtest/gtest.h>
#include <sndfile.h>

#include <filesystem>
#include <map>

#include "RenderTestSupport.h"

namespace rendertest {
namespace {

struct BadRun {
    const char* name;
    std::vector<std::string> arguments;  // "@x" names file x in the scratch folder
    int status;
    const char* message;
};

class BadInput : public testing::TestWithParam<BadRun> {
protected:
    BadInput() {
        writeSound(folder.path("in.wav"), sine(2, 2000, 997.0, 0.5));
        writeSound(folder.path("long.wav"), sine(2, 5000, 997.0, 0.5));
        Sound three = sine(3, 100, 997.0, 0.5);
        writeSound(folder.path("three.wav"), three);
        writeText(folder.path("text.wav"), "this is not audio\n");
        writeText(folder.path("garbage.so"), "this is not a library\n");
        writeText(folder.path("garbage.bin"), std::string(27049, 'x'));
        writeText(folder.path("empty.bin"), "");
        writeText(folder.path("out.wav"), "an earlier result");
        std::filesystem::create_directory(folder.path("sub"));
    }

    std::map<std::string, std::vector<uint8_t>> snapshot() const {
        std::map<std::string, std::vector<uint8_t>> files;
        for (const std::string& name : folder.entries())
            files[name] = std::filesystem::is_directory(folder.path(name)) ? std::vector<uint8_t>{} : readBytes(folder.path(name));
        return files;
    }

    std::vector<std::string> arguments() const {
        std::vector<std::string> expanded;
        for (const std::string& argument : GetParam().arguments)
            expanded.push_back(argument[0] == '@' ? folder.path(argument.substr(1)) : argument);
        return expanded;
    }

    ScratchFolder folder;
};

TEST_P(BadInput, FailsWithOneLineAndLeavesEveryFileAsItWas) {
    const auto before = snapshot();
    const RunResult run = runRenderer(arguments());
    EXPECT_EQ(run.status, GetParam().status) << run.err;
    EXPECT_EQ(run.err.rfind("orvmorix-render: ", 0), 0u) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_NE(run.err.find(GetParam().message), std::string::npos) << run.err;
    EXPECT_EQ(snapshot(), before) << "no partial, temporary or overwritten file";
}

const std::string kPlugin = ORV_PLUGIN_PATH;

INSTANTIATE_TEST_SUITE_P(
    Cases, BadInput,
    testing::Values(
        BadRun{"MissingInput", {"@missing.wav", "@out.wav"}, 1, "missing.wav"},
        BadRun{"InputNotAudio", {"@text.wav", "@out.wav"}, 1, "cannot read"},
        BadRun{"InputIsAFolder", {"@sub", "@out.wav"}, 1, "cannot read"},
        BadRun{"ThreeChannels", {"@three.wav", "@out.wav"}, 1, "3 channels"},
        BadRun{"UnsupportedOutput", {"@in.wav", "@out.mp3"}, 1, "unsupported output format"},
        BadRun{"FloatFlac", {"--format", "float32", "@in.wav", "@out.flac"}, 1, "FLAC cannot hold float32"},
        BadRun{"OutputFolderMissing", {"@in.wav", "@nowhere/out.wav"}, 1, "cannot create"},
        BadRun{"OutputIsInput", {"@in.wav", "@in.wav"}, 1, "would overwrite INPUT"},
        BadRun{"OutputIsInputSpelledOtherwise", {"@in.wav", "@sub/../in.wav"}, 1, "would overwrite INPUT"},
        BadRun{"ReportIsInput", {"--json", "@in.wav", "@in.wav", "@out.wav"}, 1, "--json would overwrite INPUT"},
        BadRun{"UnknownProgram", {"--program", "No Such Program", "@in.wav", "@out.wav"}, 1, "unknown program 'No Such Program'"},
        BadRun{"UnknownParameter", {"--set", "Loudness=0.5", "@in.wav", "@out.wav"}, 1, "unknown parameter 'Loudness'"},
        BadRun{"AmbiguousParameter", {"--set", "dummy=0.5", "@in.wav", "@out.wav"}, 1, "ambiguous"},
        BadRun{"ValueAboveOne", {"--set", "Drive=1.5", "@in.wav", "@out.wav"}, 2, "outside 0..1"},
        BadRun{"ValueBelowZero", {"--set", "Drive=-0.5", "@in.wav", "@out.wav"}, 2, "outside 0..1"},
        BadRun{"PluginMissing", {"--plugin", "@nothing.so", "@in.wav", "@out.wav"}, 1, "cannot load plug-in"},
        BadRun{"PluginNotALibrary", {"--plugin", "@garbage.so", "@in.wav", "@out.wav"}, 1, "cannot load plug-in"},
        BadRun{"PluginWithoutEntry", {"--plugin", ORV_NO_ENTRY_EFFECT_PATH, "@in.wav", "@out.wav"}, 1, "exports neither"},
        BadRun{"PluginReturnsNull", {"--plugin", ORV_NULL_EFFECT_PATH, "@in.wav", "@out.wav"}, 1, "returned no effect"},
        BadRun{"PluginWithOneChannel", {"--plugin", ORV_MONO_EFFECT_PATH, "@in.wav", "@out.wav"}, 1, "two of each"},
        BadRun{"LatencyChangedMidStream", {"--plugin", ORV_SHIFTING_LATENCY_EFFECT_PATH, "--block", "1000", "@long.wav", "@out.wav"}, 1, "changed its latency"},
        BadRun{"StateMissing", {"--state", "@nothing.bin", "@in.wav", "@out.wav"}, 1, "cannot read state file"},
        BadRun{"StateEmpty", {"--state", "@empty.bin", "@in.wav", "@out.wav"}, 1, "is empty"},
        BadRun{"StateNotOurs", {"--state", "@garbage.bin", "@in.wav", "@out.wav"}, 1, "rejected state file"},
        BadRun{"StateOnPluginWithoutChunks", {"--plugin", ORV_DELAY_EFFECT_PATH, "--state", "@garbage.bin", "@in.wav", "@out.wav"}, 1, "keeps no state chunk"},
        BadRun{"ProgramOnPluginWithoutPrograms", {"--plugin", ORV_DELAY_EFFECT_PATH, "--program", "Default", "@in.wav", "@out.wav"}, 1, "unknown program"},
        BadRun{"UnknownOption", {"--loud", "@in.wav", "@out.wav"}, 2, "unknown option"}),
    [](const testing::TestParamInfo<BadRun>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace rendertest
