#include "presets/CPresetSystemEffect.h"

#include <cstring>
#include <new>

#include "presets/CPresetSystemEditor.h"
#include "presets/FactoryPrograms.h"
#include "presets/HostChunkFormat.h"
#include "presets/LegacyProgramReader.h"
#include "presets/MeteringPrefs.h"
#include "presets/ProgramImage.h"
#include "presets/ProgramStreamFormat.h"

namespace orv {

CPresetSystemEffect::CPresetSystemEffect(audioMasterCallback audioMaster, int32_t numParams_)
    : AudioEffectX(audioMaster, 1, numParams_), chunkBuffer(new (std::nothrow) uint8_t[chunk::kSize]) {
    programStore = new (std::nothrow) ProgramRecord[kNumStoredPrograms]();
    loadFactoryPrograms();
    if (programStore) copyProgram(defaultProgram, programStore[0]);
    programsAreChunks(true);
}

CPresetSystemEffect::~CPresetSystemEffect() { delete[] programStore; }

CPresetSystemEditor* CPresetSystemEffect::presetEditor() const {
    return static_cast<CPresetSystemEditor*>(editor);
}

void CPresetSystemEffect::setParameter(int32_t index, float value) {
    if (programStore && index >= 0 && index < kNumParams)
        programStore[getCurrentProgramIndex()].setValue(index, value);
}

float CPresetSystemEffect::getParameter(int32_t index) {
    if (programStore && index >= 0 && index < kNumParams) return programStore[getCurrentProgramIndex()].value(index);
    return -1.0f;
}

void CPresetSystemEffect::setProgramName(char* name) {
    if (!programStore || !name) return;
    copyProgramName(programStore[getCurrentProgramIndex()], name);
    // The editor's field takes up to 24 characters of what the host sent.
    char shown[kProgramNameSize + 1] = {};
    for (int32_t i = 0; i < kProgramNameSize && name[i]; ++i) shown[i] = name[i];
    CPresetSystemEditor* e = presetEditor();
    if (e && e->isOpen()) e->showProgramName(shown);
}

void CPresetSystemEffect::getProgramName(char* name) {
    if (!name) return;
    if (!programStore) {
        *name = 0;
        return;
    }
    std::memcpy(name, programStore[getCurrentProgramIndex()].name, kProgramNameSize);
    name[kProgramNameSize] = 0;
}

bool CPresetSystemEffect::getProgramNameIndexed(int32_t category, int32_t index, char* text) {
    (void)category;
    if (!text || !programStore || index < 0 || index >= kNumStoredPrograms) return false;
    std::memcpy(text, programStore[index].name, kProgramNameSize);
    text[kProgramNameSize] = 0;
    return true;
}

int32_t CPresetSystemEffect::getChunk(void** data, bool isPreset) {
    (void)isPreset;
    CPresetSystemEditor* e = presetEditor();
    if (!data || !chunkBuffer || !e) return 0;
    std::vector<uint8_t> bank;
    const int32_t length = e->writeBankStream(bank);
    if (length <= 0 || chunk::kHeaderSize + bank.size() > chunk::kSize) return 0;
    std::memset(chunkBuffer.get(), 0, chunk::kSize);
    putI32(chunkBuffer.get(), chunk::kVersion);
    putI32(chunkBuffer.get() + chunk::kIdentifierOffset, getEffectId());
    std::memcpy(chunkBuffer.get() + chunk::kHeaderSize, bank.data(), bank.size());
    *data = chunkBuffer.get();
    return static_cast<int32_t>(chunk::kHeaderSize + bank.size());
}

int32_t CPresetSystemEffect::setChunk(void* data, int32_t byteSize, bool isPreset) {
    (void)isPreset;
    if (!data || byteSize < static_cast<int32_t>(chunk::kHeaderSize) || !programStore || !chunkBuffer || !editor)
        return -1;
    const ByteSpan bytes(static_cast<const uint8_t*>(data), static_cast<size_t>(byteSize));
    const std::optional<bool> reverse =
        identifierByteOrder(bytes.from(chunk::kIdentifierOffset), static_cast<uint32_t>(getEffectId()));
    if (!reverse) return -1;
    switch (bytes.i32(0, *reverse)) {
        case chunk::kLegacyVersion: return setLegacyChunk(bytes.data(), bytes.size(), *reverse);
        case chunk::kVersion: return setStreamChunk(bytes.data(), bytes.size(), *reverse);
        default: return -1;
    }
}

int32_t CPresetSystemEffect::setLegacyChunk(const uint8_t* data, size_t size, bool reverse) {
    stream::LoadedBank bank;
    bank.programs = snapshotBank();
    if (!legacy::readChunk(ByteSpan(data, size), reverse, defaultProgram, excludedFromLoad(), bank)) return -1;
    presetEditor()->takeBank(bank, bank.current);
    return 0;
}

// The bank stream behind the 8-byte chunk header must say it is one of ours and a bank.
int32_t CPresetSystemEffect::setStreamChunk(const uint8_t* data, size_t size, bool reverse) {
    const ByteSpan bank = ByteSpan(data, size).from(chunk::kHeaderSize);
    const std::optional<stream::Header> header = stream::readHeader(bank, reverse);
    if (!header || header->identifier != ByteSpan(data, size).u32(chunk::kIdentifierOffset, false) ||
        header->kind != stream::kKindBank)
        return -1;
    return presetEditor()->readBankStream(bank.from(stream::kHeaderSize), *header, reverse) ? 0 : -1;
}

void CPresetSystemEffect::applyProgram(int32_t index) {
    if (!programStore || index < 0 || index >= kNumStoredPrograms) return;
    applyingProgram.store(true, std::memory_order_relaxed);
    curProgram = 0;
    currentProgramIndex.store(index, std::memory_order_relaxed);
    for (int32_t i = 0; i < kNumParams; ++i) setParameter(i, programStore[index].value(i));
    updateDisplay();
    beginEdit(0);
    endEdit(0);
    applyingProgram.store(false, std::memory_order_relaxed);
}

void CPresetSystemEffect::renameCurrentProgram(const char* name) {
    if (!programStore) return;
    curProgram = 0;
    copyProgramName(programStore[getCurrentProgramIndex()], name);
    updateDisplay();
}

void CPresetSystemEffect::resetProgramToDefault(int32_t index) {
    if (programStore && index >= 0 && index < kNumStoredPrograms) copyProgram(programStore[index], defaultProgram);
}

void CPresetSystemEffect::captureDefaultProgram() {
    if (!programStore) return;
    copyProgram(defaultProgram, programStore[0]);
    if (CPresetSystemEditor* e = presetEditor()) e->applyUserDefaults();
}

void CPresetSystemEffect::loadFactoryPrograms() {
    if (!programStore) return;
    for (int32_t i = 0; i < kNumStoredPrograms; ++i) writeFactoryProgram(programStore[i], kFactoryPrograms[i]);
}

void CPresetSystemEffect::loadMeteringPrefs() { orv::loadMeteringPrefs(*this); }

void CPresetSystemEffect::replaceProgram(int32_t index, const ProgramRecord& record) {
    if (programStore && index >= 0 && index < kNumStoredPrograms) copyProgram(programStore[index], record);
}

void CPresetSystemEffect::replaceBank(const ProgramBank& bank) {
    if (!programStore) return;
    for (int32_t i = 0; i < kNumStoredPrograms; ++i) copyProgram(programStore[i], bank[static_cast<size_t>(i)]);
}

ProgramBank CPresetSystemEffect::snapshotBank() const {
    ProgramBank bank{};
    if (programStore)
        for (int32_t i = 0; i < kNumStoredPrograms; ++i) copyProgram(bank[static_cast<size_t>(i)], programStore[i]);
    return bank;
}

ParameterMask CPresetSystemEffect::excludedFromSave() {
    ParameterMask mask;
    for (int32_t i = 0; i < kNumParams; ++i) mask.set(static_cast<size_t>(i), isParameterExcludedFromSave(i));
    return mask;
}

ParameterMask CPresetSystemEffect::excludedFromLoad() {
    ParameterMask mask;
    for (int32_t i = 0; i < kNumParams; ++i) mask.set(static_cast<size_t>(i), isParameterExcludedFromLoad(i));
    return mask;
}

}  // namespace orv
