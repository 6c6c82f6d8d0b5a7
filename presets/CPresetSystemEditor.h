#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "plugin/base/AEffEditor.h"
#include "presets/ByteOrder.h"
#include "presets/ProgramImage.h"
#include "presets/ProgramStreamFormat.h"
#include "presets/ProgramStreamReader.h"
#include "presets/RememberedPaths.h"

namespace orv {

class CPresetSystemEffect;

// Editor-side half of the preset system: the program stream writers and readers, preset and bank
// files, and the user's stored defaults, compare memories and remembered paths. Every load reads
// into a copy first and changes the store only when all of it was good: rejected data change
// nothing. The window's name field and program menu follow each load while the window is open.
class CPresetSystemEditor : public AEffEditor {
public:
    explicit CPresetSystemEditor(CPresetSystemEffect* effect);
    // Writes the remembered paths back.
    ~CPresetSystemEditor() override;

    // Shows a name in the name field and as the title of the program menu's current entry.
    virtual void showProgramName(const char* name);
    // At construction: default bank, program 0, default preset, remembered paths.
    virtual void applyUserDefaults();

    // --- program streams; readers are told how many bytes they may read, and report success ---
    virtual bool readLegacyBank(ByteSpan body, bool reverse, int32_t programCount, int32_t valuesPerProgram);
    virtual bool readBankStream(ByteSpan records, const stream::Header& header, bool reverse);
    // Length of the stream put into `out`; 0 (and `out` untouched) without a program store.
    virtual int32_t writeBankStream(std::vector<uint8_t>& out);
    virtual bool readLegacyPreset(ByteSpan body, bool reverse, int32_t valueCount);
    virtual bool readPresetStream(ByteSpan records, const stream::Header& header, bool reverse);
    virtual int32_t writePresetStream(std::vector<uint8_t>& out);

    // --- files, by the path the user chose ---
    virtual bool loadBankFile(const std::string& path, bool endianReversed);
    virtual bool saveBankFile(const std::string& path);
    virtual bool loadPresetFile(const std::string& path, bool endianReversed);
    virtual bool savePresetFile(const std::string& path);

    // --- stored defaults and memories ---
    virtual bool storeDefaultBank();
    virtual bool clearDefaultBank();
    virtual bool loadDefaultBank();
    virtual bool storeDefaultPreset();
    virtual bool clearDefaultPreset();
    virtual bool loadDefaultPreset();
    virtual bool storeMemoA();
    virtual bool storeMemoB();
    virtual bool recallMemoA();
    virtual bool recallMemoB();
    virtual void saveRememberedPaths();
    virtual void loadRememberedPaths();

    // The six metering settings as the user's defaults (the window's confirmation comes on top).
    virtual bool saveMeteringPrefs();
    // Where the installation put the user manual; empty when it did not.
    std::string manualPath() const;

    // --- loads shared by the files, the stored values and the chunk ---
    // A preset image (identifier, kind '"' or '!', rest) into the current program, applied.
    bool loadPresetImage(ByteSpan image, bool invertOrder);
    // A bank image (kind '8' or '7') into the store; `makeFirstCurrent` applies program 0 rather
    // than the one the stream names.
    bool loadBankImage(ByteSpan image, bool invertOrder, bool makeFirstCurrent);
    // Puts a bank that was read in full into the store and applies program `applyIndex`.
    void takeBank(const stream::LoadedBank& bank, int32_t applyIndex);

    const RememberedPaths& rememberedPaths() const { return paths_; }

protected:
    CPresetSystemEffect* presetEffect() const;

    // Preset strip hooks, called only while the window is open.
    virtual void showProgramTitle(int32_t index, const char* title) { (void)index, (void)title; }
    virtual void selectProgramEntry(int32_t index) { (void)index; }

private:
    void takeProgram(const ProgramRecord& program);
    std::optional<ImagePrefix> imagePrefix(ByteSpan image, bool invertOrder) const;
    bool storePresetValue(const char* valueName);
    bool loadPresetValue(const char* valueName);
    bool loadFile(const std::string& path, RememberedPaths::Kind kind, bool endianReversed);

    RememberedPaths paths_;
};

}  // namespace orv
