// The plug-in as a host first meets it: the entry, the effect record and the dispatcher's answers.
#include <gtest/gtest.h>

#include "support/VstHost.h"

using orvtest::PluginModule;
using orvtest::TestHost;

namespace {

TEST(Entry, ModuleExportsBothNamesForOneFunction) {
    PluginModule& module = PluginModule::shared();
    ASSERT_TRUE(module.loaded()) << ORV_PLUGIN_PATH;
    ASSERT_NE(module.mainEntry(), nullptr);
    EXPECT_EQ(module.entry(), module.mainEntry());
}

TEST(Entry, HostAnsweringVersionZeroGetsNoEffect) {
    TestHost host;
    host.versionAnswer = 0;
    EXPECT_FALSE(host.open());
}

TEST(Entry, NullCallbackStillMakesAnEffect) {
    AEffect* effect = PluginModule::shared().entry()(nullptr);
    ASSERT_NE(effect, nullptr);
    EXPECT_EQ(effect->magic, kEffectMagic);
    EXPECT_EQ(effect->dispatcher(effect, effClose, 0, 0, nullptr, 0), 1);
}

TEST(EffectRecord, FieldsAfterConstruction) {
    TestHost host;
    ASSERT_TRUE(host.open());
    const AEffect& e = *host.effect();
    EXPECT_EQ(e.magic, 0x56737450);
    EXPECT_EQ(e.numPrograms, 1);
    EXPECT_EQ(e.numParams, 26);
    EXPECT_EQ(e.numInputs, 2);
    EXPECT_EQ(e.numOutputs, 2);
    EXPECT_EQ(e.flags, 0x1031);
    EXPECT_EQ(e.resvd1, 0);
    EXPECT_EQ(e.resvd2, 0);
    EXPECT_EQ(e.initialDelay, 159);
    EXPECT_EQ(e.realQualities, 0);
    EXPECT_EQ(e.offQualities, 0);
    EXPECT_EQ(e.ioRatio, 1.0f);
    EXPECT_EQ(e.uniqueID, 0x4F764D78);
    EXPECT_EQ(e.version, 1);
    EXPECT_NE(e.process, nullptr);
    EXPECT_NE(e.processReplacing, nullptr);
    EXPECT_NE(e.processDoubleReplacing, nullptr);
    for (char c : e.future) EXPECT_EQ(c, 0);
}

TEST(Identity, StringsAndNumbers) {
    TestHost host;
    ASSERT_TRUE(host.open());
    EXPECT_EQ(host.text(effGetEffectName), "Orv Morix");
    EXPECT_EQ(host.text(effGetProductString), "Full band precision limiter");
    const std::string vendor = host.text(effGetVendorString);
    EXPECT_FALSE(vendor.empty());
    EXPECT_LT(vendor.size(), 64u);
    char buffer[64];
    EXPECT_EQ(host.dispatch(effGetEffectName, 0, 0, buffer), 1);
    EXPECT_EQ(host.dispatch(effGetVendorVersion), 1500);
    EXPECT_EQ(host.dispatch(effGetPlugCategory), 4);
    EXPECT_EQ(host.dispatch(effGetVstVersion), 2400);
    EXPECT_EQ(host.dispatch(effIdentify), 0x4E764566);
}

struct OpcodeCase {
    int32_t opcode;
    int32_t index;
    intptr_t value;
    intptr_t expected;
};

TEST(Dispatcher, FixedAnswers) {
    const OpcodeCase cases[] = {
        {effOpen, 0, 0, 0},
        {effGetProgram, 0, 0, 0},
        {effSetProgram, 0, 0, 0},
        {effSetProgram, 0, 5, 0},
        {effGetTailSize, 0, 0, 0},
        {effGetCurrentMidiProgram, 0, 0, -1},
        {effSetTotalSampleToProcess, 0, 4096, 4096},
        {effCanBeAutomated, 0, 0, 1},
        {effCanBeAutomated, 99, 0, 1},
        {effProcessEvents, 0, 0, 0},
        {effString2Parameter, 0, 0, 0},
        {effGetInputProperties, 0, 0, 0},
        {effGetOutputProperties, 1, 0, 0},
        {effSetBypass, 0, 1, 0},
        {effStartProcess, 0, 0, 0},
        {effStopProcess, 0, 0, 0},
        {effSetProcessPrecision, 0, 1, 0},
        {effGetNumMidiInputChannels, 0, 0, 0},
        {effBeginSetProgram, 0, 0, 0},
        {effEditClose, 0, 0, 0},
        {effEditIdle, 0, 0, 0},
        {effMainsChanged, 0, 1, 0},
        {effMainsChanged, 0, 0, 0},
        {effSetBlockSize, 0, 256, 0},
        // Opcodes with no meaning here, and ones past the table.
        {9, 0, 0, 0}, {16, 0, 0, 0}, {17, 0, 0, 0}, {18, 0, 0, 0}, {20, 0, 0, 0}, {21, 0, 0, 0},
        {28, 0, 0, 0}, {30, 0, 0, 0}, {31, 0, 0, 0}, {32, 0, 0, 0}, {36, 0, 0, 0}, {37, 0, 0, 0},
        {43, 0, 0, 0}, {46, 0, 0, 0}, {53, 0, 0, 0}, {54, 0, 0, 0}, {55, 0, 0, 0}, {57, 0, 0, 0},
        {80, 0, 0, 0}, {1000, 0, 0, 0}, {-1, 0, 0, 0}, {0x7fffffff, 0, 0, 0},
    };
    TestHost host;
    ASSERT_TRUE(host.open());
    for (const OpcodeCase& c : cases)
        EXPECT_EQ(host.dispatch(c.opcode, c.index, c.value), c.expected) << "opcode " << c.opcode;
}

TEST(Dispatcher, CanDoAnswersZeroForEveryString) {
    TestHost host;
    ASSERT_TRUE(host.open());
    for (const char* s : {"receiveVstMidiEvent", "sendVstEvents", "bypass", ""})
        EXPECT_EQ(host.dispatch(effCanDo, 0, 0, const_cast<char*>(s)), 0) << s;
    EXPECT_EQ(host.dispatch(effCanDo, 0, 0, nullptr), 0);
}

TEST(Dispatcher, SpeakerArrangementIsAnsweredWithNulls) {
    TestHost host;
    ASSERT_TRUE(host.open());
    void* input = &host;
    void* output = &host;
    EXPECT_EQ(host.dispatch(effGetSpeakerArrangement, 0, reinterpret_cast<intptr_t>(&input), &output), 0);
    EXPECT_EQ(input, nullptr);
    EXPECT_EQ(output, nullptr);
}

TEST(Dispatcher, NullPointersWhereBuffersAreExpectedAreHarmless) {
    TestHost host;
    ASSERT_TRUE(host.open());
    for (int32_t opcode : {effGetParamName, effGetParamLabel, effGetParamDisplay, effGetProgramName,
                           effSetProgramName, effGetEffectName, effGetVendorString, effGetProductString,
                           effGetProgramNameIndexed, effGetParameterProperties, effEditGetRect, effGetChunk,
                           effSetChunk, effCanDo, effEditOpen})
        host.dispatch(opcode, 0, 0, nullptr);
    EXPECT_EQ(host.dispatch(effGetParameterProperties, 0, 0, nullptr), 0);
    EXPECT_EQ(host.dispatch(effEditGetRect, 0, 0, nullptr), 0);
}

TEST(Editor, ExistsFromConstructionWithFixedRectangle) {
    TestHost host;
    ASSERT_TRUE(host.open());
    EXPECT_TRUE(host.effect()->flags & effFlagsHasEditor);
    ERect* rect = nullptr;
    ASSERT_EQ(host.dispatch(effEditGetRect, 0, 0, &rect), 1);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->top, 0);
    EXPECT_EQ(rect->left, 0);
    EXPECT_EQ(rect->bottom, 462);
    EXPECT_EQ(rect->right, 524);
    EXPECT_EQ(host.dispatch(effEditOpen, 0, 0, nullptr), 0);
}

TEST(Lifecycle, CloseReturnsOneAndInstancesAreIndependent) {
    TestHost a, b;
    ASSERT_TRUE(a.open());
    ASSERT_TRUE(b.open());
    EXPECT_NE(a.effect(), b.effect());
    a.setParameter(1, 0.9f);
    EXPECT_FLOAT_EQ(a.getParameter(1), 0.9f);
    EXPECT_FLOAT_EQ(b.getParameter(1), 0.5f);
    EXPECT_EQ(a.close(), 1);
    // The other instance carries on.
    EXPECT_EQ(b.text(effGetEffectName), "Orv Morix");
    EXPECT_FLOAT_EQ(b.getParameter(1), 0.5f);
    EXPECT_EQ(b.close(), 1);
}

TEST(Programs, HostSeesOneProgramNamedAfterTheCurrentOne) {
    TestHost host;
    ASSERT_TRUE(host.open());
    EXPECT_EQ(host.text(effGetProgramName), "Default");
    char name[32] = {};
    EXPECT_EQ(host.dispatch(effGetProgramNameIndexed, 0, 0, name), 1);
    EXPECT_STREQ(name, "Default");
    EXPECT_EQ(host.dispatch(effGetProgramNameIndexed, 26, 0, name), 1);
    EXPECT_STREQ(name, "DVD Master 2 [recon]");
    std::strcpy(name, "keep");
    EXPECT_EQ(host.dispatch(effGetProgramNameIndexed, 27, 0, name), 0);
    EXPECT_EQ(host.dispatch(effGetProgramNameIndexed, -1, 0, name), 0);
    EXPECT_STREQ(name, "keep");
}

}  // namespace
