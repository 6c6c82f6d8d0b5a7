#include "presets/CPresetSystemEditor.h"

#include <filesystem>
#include <system_error>

#include "platform/SettingsStore.h"
#include "presets/CPresetSystemEffect.h"
#include "presets/LegacyProgramReader.h"
#include "presets/MeteringPrefs.h"
#include "presets/ProgramFile.h"
#include "presets/ProgramImage.h"
#include "presets/ProgramStreamWriter.h"

namespace orv {

namespace {

const char kDefaultBankValue[] = "DefaultBank";
const char kDefaultPresetValue[] = "DefaultPreset";
const char kMemoAValue[] = "MemoA";
const char kMemoBValue[] = "MemoB";
const char kManualPathValue[] = "ManualPath";

std::string startFolder() {
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::current_path(error);
    if (error) return {};
    std::string text = folder.string();
    if (!text.empty() && text.back() != static_cast<char>(std::filesystem::path::preferred_separator))
        text += static_cast<char>(std::filesystem::path::preferred_separator);
    return text;
}

// The 24 name bytes as text (a streamed name may fill all 24 without a terminator).
std::string nameText(const ProgramRecord& program) {
    size_t n = 0;
    while (n < kProgramNameSize && program.name[n]) ++n;
    return std::string(program.name, n);
}

ByteSpan spanOf(const std::vector<uint8_t>& bytes) { return ByteSpan(bytes.data(), bytes.size()); }

}  // namespace

CPresetSystemEditor::CPresetSystemEditor(CPresetSystemEffect* effect) : AEffEditor(effect), paths_(startFolder()) {}

CPresetSystemEditor::~CPresetSystemEditor() { saveRememberedPaths(); }

CPresetSystemEffect* CPresetSystemEditor::presetEffect() const { return static_cast<CPresetSystemEffect*>(effect_); }

void CPresetSystemEditor::showProgramName(const char* name) { (void)name; }

void CPresetSystemEditor::applyUserDefaults() {
    loadDefaultBank();
    if (CPresetSystemEffect* effect = presetEffect()) effect->applyProgram(0);
    loadDefaultPreset();
    loadRememberedPaths();
}

// ---------------------------------------------------------------- streams

int32_t CPresetSystemEditor::writeBankStream(std::vector<uint8_t>& out) {
    CPresetSystemEffect* effect = presetEffect();
    if (!effect || !effect->hasProgramStore()) return 0;
    out = stream::writeBank(static_cast<uint32_t>(effect->getEffectId()), effect->programs(),
                            effect->getCurrentProgramIndex(), effect->excludedFromSave());
    return static_cast<int32_t>(out.size());
}

int32_t CPresetSystemEditor::writePresetStream(std::vector<uint8_t>& out) {
    CPresetSystemEffect* effect = presetEffect();
    if (!effect || !effect->hasProgramStore()) return 0;
    out = stream::writePreset(static_cast<uint32_t>(effect->getEffectId()),
                              effect->program(effect->getCurrentProgramIndex()), effect->excludedFromSave());
    return static_cast<int32_t>(out.size());
}

bool CPresetSystemEditor::readBankStream(ByteSpan records, const stream::Header& header, bool reverse) {
    CPresetSystemEffect* effect = presetEffect();
    if (!effect || !effect->hasProgramStore()) return false;
    stream::LoadedBank bank;
    bank.programs = effect->snapshotBank();
    if (!stream::readBank(records, header, reverse, effect->getDefaultProgram(), bank)) return false;
    takeBank(bank, bank.current);
    return true;
}

bool CPresetSystemEditor::readLegacyBank(ByteSpan body, bool reverse, int32_t programCount, int32_t valuesPerProgram) {
    CPresetSystemEffect* effect = presetEffect();
    if (!effect || !effect->hasProgramStore()) return false;
    stream::LoadedBank bank;
    bank.programs = effect->snapshotBank();
    if (!legacy::readBank(body, reverse, programCount, valuesPerProgram, effect->getDefaultProgram(),
                          effect->excludedFromLoad(), bank))
        return false;
    takeBank(bank, 0);
    return true;
}

bool CPresetSystemEditor::readPresetStream(ByteSpan records, const stream::Header& header, bool reverse) {
    CPresetSystemEffect* effect = presetEffect();
    if (!effect || !effect->hasProgramStore()) return false;
    const std::optional<ProgramRecord> program =
        stream::readPreset(records, header, reverse, effect->getDefaultProgram());
    if (!program) return false;
    takeProgram(*program);
    return true;
}

bool CPresetSystemEditor::readLegacyPreset(ByteSpan body, bool reverse, int32_t valueCount) {
    CPresetSystemEffect* effect = presetEffect();
    if (!effect || !effect->hasProgramStore()) return false;
    const std::optional<ProgramRecord> program =
        legacy::readPreset(body, reverse, valueCount, effect->getDefaultProgram(), effect->excludedFromLoad());
    if (!program) return false;
    takeProgram(*program);
    return true;
}

void CPresetSystemEditor::takeBank(const stream::LoadedBank& bank, int32_t applyIndex) {
    CPresetSystemEffect* effect = presetEffect();
    effect->replaceBank(bank.programs);
    if (isOpen()) {
        for (int32_t p = 0; p < kNumStoredPrograms; ++p)
            if (bank.named.test(static_cast<size_t>(p))) showProgramTitle(p, nameText(effect->program(p)).c_str());
        selectProgramEntry(applyIndex);
        showProgramName(nameText(effect->program(applyIndex)).c_str());
    }
    effect->applyProgram(applyIndex);
}

// A loaded preset replaces the current program, keeps its name cut to the store's 23 characters,
// and is applied.
void CPresetSystemEditor::takeProgram(const ProgramRecord& program) {
    CPresetSystemEffect* effect = presetEffect();
    const int32_t t = effect->getCurrentProgramIndex();
    effect->replaceProgram(t, program);
    const std::string name = nameText(program);
    if (isOpen()) {
        selectProgramEntry(t);
        showProgramName(name.c_str());
    }
    effect->renameCurrentProgram(name.c_str());
    effect->applyProgram(t);
}

// ---------------------------------------------------------------- images: files and stored values

std::optional<ImagePrefix> CPresetSystemEditor::imagePrefix(ByteSpan image, bool invertOrder) const {
    CPresetSystemEffect* effect = presetEffect();
    if (!effect || !effect->hasProgramStore()) return std::nullopt;
    return readImagePrefix(image, static_cast<uint32_t>(effect->getEffectId()), invertOrder);
}

bool CPresetSystemEditor::loadPresetImage(ByteSpan image, bool invertOrder) {
    const std::optional<ImagePrefix> prefix = imagePrefix(image, invertOrder);
    if (!prefix) return false;
    if (prefix->kind == stream::kKindLegacyPreset)
        return readLegacyPreset(image.from(stream::kImagePrefixSize), prefix->reverse,
                                legacyPresetValueCount(image.size()));
    if (prefix->kind != stream::kKindPreset) return false;
    const std::optional<stream::Header> header = stream::readHeader(image, prefix->reverse);
    return header && readPresetStream(image.from(stream::kHeaderSize), *header, prefix->reverse);
}

bool CPresetSystemEditor::loadBankImage(ByteSpan image, bool invertOrder, bool makeFirstCurrent) {
    const std::optional<ImagePrefix> prefix = imagePrefix(image, invertOrder);
    if (!prefix) return false;
    if (prefix->kind == stream::kKindLegacyBank)
        return readLegacyBank(image.from(stream::kImagePrefixSize), prefix->reverse, kNumStoredPrograms,
                              legacyBankValueCount(image.size()));
    if (prefix->kind != stream::kKindBank) return false;
    const std::optional<stream::Header> header = stream::readHeader(image, prefix->reverse);
    if (!header || !readBankStream(image.from(stream::kHeaderSize), *header, prefix->reverse)) return false;
    CPresetSystemEffect* effect = presetEffect();
    if (makeFirstCurrent && effect->getCurrentProgramIndex() != 0) {
        if (isOpen()) {
            selectProgramEntry(0);
            showProgramName(nameText(effect->program(0)).c_str());
        }
        effect->applyProgram(0);
    }
    return true;
}

// ---------------------------------------------------------------- files

bool CPresetSystemEditor::loadFile(const std::string& path, RememberedPaths::Kind kind, bool endianReversed) {
    paths_.choose(path, kind);
    const std::optional<std::vector<uint8_t>> bytes = readProgramFile(paths_.path(kind));
    if (!bytes) return false;
    return kind == RememberedPaths::Kind::Bank ? loadBankImage(spanOf(*bytes), endianReversed, true)
                                               : loadPresetImage(spanOf(*bytes), endianReversed);
}

bool CPresetSystemEditor::loadBankFile(const std::string& path, bool endianReversed) {
    return loadFile(path, RememberedPaths::Kind::Bank, endianReversed);
}

bool CPresetSystemEditor::loadPresetFile(const std::string& path, bool endianReversed) {
    return loadFile(path, RememberedPaths::Kind::Preset, endianReversed);
}

bool CPresetSystemEditor::saveBankFile(const std::string& path) {
    paths_.choose(path, RememberedPaths::Kind::Bank);
    std::vector<uint8_t> bytes;
    return writeBankStream(bytes) > 0 && writeProgramFile(paths_.path(RememberedPaths::Kind::Bank), bytes);
}

bool CPresetSystemEditor::savePresetFile(const std::string& path) {
    paths_.choose(path, RememberedPaths::Kind::Preset);
    std::vector<uint8_t> bytes;
    return writePresetStream(bytes) > 0 && writeProgramFile(paths_.path(RememberedPaths::Kind::Preset), bytes);
}

// ---------------------------------------------------------------- stored defaults and memories

bool CPresetSystemEditor::storeDefaultBank() {
    std::vector<uint8_t> bytes;
    return writeBankStream(bytes) > 0 &&
           settings::writeBinary(settings::kPresetKey, kDefaultBankValue, bytes.data(), bytes.size());
}

bool CPresetSystemEditor::clearDefaultBank() { return settings::deleteValue(settings::kPresetKey, kDefaultBankValue); }

bool CPresetSystemEditor::loadDefaultBank() {
    const std::optional<std::vector<uint8_t>> bytes = settings::readBinary(settings::kPresetKey, kDefaultBankValue);
    return bytes && loadBankImage(spanOf(*bytes), false, false);
}

bool CPresetSystemEditor::storePresetValue(const char* valueName) {
    std::vector<uint8_t> bytes;
    return writePresetStream(bytes) > 0 &&
           settings::writeBinary(settings::kPresetKey, valueName, bytes.data(), bytes.size());
}

bool CPresetSystemEditor::loadPresetValue(const char* valueName) {
    const std::optional<std::vector<uint8_t>> bytes = settings::readBinary(settings::kPresetKey, valueName);
    return bytes && loadPresetImage(spanOf(*bytes), false);
}

bool CPresetSystemEditor::storeDefaultPreset() { return storePresetValue(kDefaultPresetValue); }
bool CPresetSystemEditor::clearDefaultPreset() {
    return settings::deleteValue(settings::kPresetKey, kDefaultPresetValue);
}
bool CPresetSystemEditor::loadDefaultPreset() { return loadPresetValue(kDefaultPresetValue); }
bool CPresetSystemEditor::storeMemoA() { return storePresetValue(kMemoAValue); }
bool CPresetSystemEditor::storeMemoB() { return storePresetValue(kMemoBValue); }
bool CPresetSystemEditor::recallMemoA() { return loadPresetValue(kMemoAValue); }
bool CPresetSystemEditor::recallMemoB() { return loadPresetValue(kMemoBValue); }

void CPresetSystemEditor::saveRememberedPaths() { paths_.save(); }
void CPresetSystemEditor::loadRememberedPaths() { paths_.load(); }

bool CPresetSystemEditor::saveMeteringPrefs() {
    CPresetSystemEffect* effect = presetEffect();
    return effect && orv::saveMeteringPrefs(*effect);
}

std::string CPresetSystemEditor::manualPath() const {
    return settings::readString(settings::kPresetKey, kManualPathValue).value_or("");
}

}  // namespace orv
