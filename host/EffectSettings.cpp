#include "host/EffectSettings.h"

#include <algorithm>

#include "host/AtomicFile.h"
#include "host/BankChunk.h"
#include "host/NameLookup.h"
#include "host/RenderError.h"

namespace orvrender {

namespace {

// Effects with program chunks may hold more programs than numPrograms admits (ours shows one).
constexpr int32_t kMostProgramsListed = 1024;

void requireChunks(Effect& effect, const std::string& what) {
    if (!effect.hasFlag(effFlagsProgramChunks)) throw RenderError("this plug-in keeps no state chunk; cannot " + what);
}

}  // namespace

std::vector<std::string> programNames(Effect& effect) {
    std::vector<std::string> names;
    const int32_t limit = std::max(effect.programCount(), kMostProgramsListed);
    for (int32_t i = 0; i < limit; ++i) {
        const std::optional<std::string> name = effect.programName(i);
        if (!name || (i >= effect.programCount() && name->empty())) break;
        names.push_back(*name);
    }
    return names;
}

std::vector<std::string> parameterNames(Effect& effect) {
    std::vector<std::string> names;
    for (int32_t i = 0; i < effect.parameterCount(); ++i) names.push_back(effect.parameterName(i));
    return names;
}

int32_t currentProgram(Effect& effect) {
    if (effect.hasFlag(effFlagsProgramChunks)) {
        if (const auto bank = BankChunk::recognise(effect.chunk(), effect.uniqueId())) return bank->currentProgram();
    }
    return effect.currentProgram();
}

void loadState(Effect& effect, const std::string& path) {
    requireChunks(effect, "load state file " + path);
    const std::vector<uint8_t> bytes = readWholeFile(path, "state file");
    if (bytes.empty()) throw RenderError("state file " + path + " is empty");
    if (effect.setChunk(bytes) < 0) throw RenderError("plug-in rejected state file " + path);
}

std::vector<uint8_t> savedState(Effect& effect) {
    requireChunks(effect, "save its state");
    std::vector<uint8_t> bytes = effect.chunk();
    if (bytes.empty()) throw RenderError("plug-in gave no state to save");
    return bytes;
}

void selectProgram(Effect& effect, const std::string& name) {
    const std::vector<std::string> names = programNames(effect);
    const int32_t index = findByName(names, name, "program");
    std::optional<BankChunk> bank;
    if (effect.hasFlag(effFlagsProgramChunks)) bank = BankChunk::recognise(effect.chunk(), effect.uniqueId());
    if (bank) {
        bank->setCurrentProgram(index);
        if (effect.setChunk(bank->bytes()) < 0) throw RenderError("plug-in refused to select program '" + name + "'");
    } else if (index < effect.programCount()) {
        effect.setProgram(index);
    } else {
        throw RenderError("plug-in offers no way to select program '" + name + "'");
    }
    if (effect.programName() != names[static_cast<size_t>(index)])
        throw RenderError("plug-in did not select program '" + name + "'");
}

void applyAssignments(Effect& effect, const std::vector<ParameterAssignment>& assignments) {
    if (assignments.empty()) return;
    const std::vector<std::string> names = parameterNames(effect);
    for (const ParameterAssignment& assignment : assignments)
        effect.setParameter(findByName(names, assignment.name, "parameter"), assignment.value);
}

void applySettings(Effect& effect, const RenderOptions& options) {
    if (!options.stateFile.empty()) loadState(effect, options.stateFile);
    if (options.program) selectProgram(effect, *options.program);
    applyAssignments(effect, options.assignments);
}

}  // namespace orvrender
