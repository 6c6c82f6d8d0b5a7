#include "presets/CPresetSystemEffect.h"

#include <cstring>
#include <new>

#include "presets/CPresetSystemEditor.h"
#include "presets/FactoryPrograms.h"

namespace orv {

CPresetSystemEffect::CPresetSystemEffect(audioMasterCallback audioMaster, int32_t numParams_)
    : AudioEffectX(audioMaster, 1, numParams_) {
    programStore = new (std::nothrow) ProgramRecord[kNumStoredPrograms]();
    loadFactoryPrograms();
    if (programStore) defaultProgram = programStore[0];
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
    if (!programStore) return;
    copyProgramName(programStore[getCurrentProgramIndex()], name);
    if (CPresetSystemEditor* e = presetEditor()) e->programNameChanged();
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
    if (programStore && index >= 0 && index < kNumStoredPrograms) programStore[index] = defaultProgram;
}

void CPresetSystemEffect::captureDefaultProgram() {
    if (!programStore) return;
    defaultProgram = programStore[0];
    if (CPresetSystemEditor* e = presetEditor()) e->applyUserDefaults();
}

void CPresetSystemEffect::loadFactoryPrograms() {
    if (!programStore) return;
    for (int32_t i = 0; i < kNumStoredPrograms; ++i) writeFactoryProgram(programStore[i], kFactoryPrograms[i]);
}

}  // namespace orv
