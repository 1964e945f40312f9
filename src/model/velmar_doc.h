#pragma once
// The one document of the program: the radio memory image with its file
// header and the band limits of the current model, with every typed operation
// the editor, the radio link and the command line use. Qt-free; questions and
// messages are left to the caller through the two hooks below.
// Image map and file layout: docs/data-file.md. User-interface thread only.

#include "model/file_header.h"
#include "model/radio_image.h"
#include "model/undo_history.h"
#include "platform/document.h"

#include <cstdint>
#include <functional>
#include <string>

class CVelmarDoc : public CDocument {
public:
    enum class LoadResult { Ok, WrongSignature };

    CVelmarDoc();

    // --- Hooks the GUI sets; without them the document asks and shows nothing.
    // Asked by OnNewDocument before anything changes; false (Cancel) leaves the
    // document untouched (image, path, title, modified flag) and OnNewDocument
    // returns false, so the framework abandons the new document. The GUI's
    // question returns true without asking while the application's
    // suppressClearPrompt is set (and clears that flag).
    void SetClearQuestion(std::function<bool()> question) { m_clearQuestion = std::move(question); }
    // Called by Serialize when a loaded file fails the signature test.
    void SetWrongSignatureHandler(std::function<void()> handler) { m_wrongSignature = std::move(handler); }
    // The outcome of the last Serialize that loaded.
    LoadResult GetLastLoadResult() const { return m_lastLoadResult; }

    // --- Document life cycle.
    // Clear question (when set), then the base reset, then SelectModel(0).
    bool OnNewDocument() override;
    // Header reset text at 0-29 and the whole image 0xFF.
    void DeleteContents() override;
    // Storing writes the header and the image (4144 bytes). Loading reads up to
    // 48 header bytes, and the image only when the signature matches; after a
    // wrong signature the header is put back as it was, so that a later save
    // cannot write a file that fails the test again. Band limits follow.
    void Serialize(CArchive& archive) override;
    // A loaded file starts a new undo history.
    bool OnOpenDocument(const std::string& path, std::string* error = nullptr) override;
    // The saved state becomes the unmodified one in the undo history.
    bool OnSaveDocument(const std::string& path, std::string* error = nullptr) override;
    // Every edit marks the document modified after storing its bytes; marking
    // it records the change as one undo step.
    void SetModifiedFlag(bool modified = true) override;

    // --- Undo and redo of edits, whole-image snapshots.
    bool CanUndo() const { return m_history.CanUndo() || !m_history.IsRecorded(m_image); }
    bool CanRedo() const { return m_history.CanRedo(); }
    // Restore the state before (after) the last edit with its modified flag,
    // derive the band limits and update every view; false when there is none.
    bool Undo();
    bool Redo();
    // Records a change stored after the document was marked modified.
    void RecordHistory() { m_history.Record(m_image); }
    // Forgets every step (a new document, a loaded file, a radio read).
    void StartNewHistory() { m_history.Reset(m_image, IsModified()); }

    // Default settings, channel options and model tag; frequencies, tones, codes,
    // password, calibration and reserved bits are not touched.
    void ApplyDefaults();

    // --- Raw access for the radio link and the data file.
    RadioImage& Image() { return m_image; }
    const RadioImage& Image() const { return m_image; }
    FileHeader& Header() { return m_header; }
    const FileHeader& Header() const { return m_header; }

    // --- Channel operations. n is the channel number 1-16. Any other n is
    // ignored: getters report an empty channel (texts empty, options 0, tones
    // off) and setters change nothing, so no call reaches outside the table.
    static bool IsValidChannel(int n) { return n >= 1 && n <= RadioImage::kChannelCount; }
    bool IsRxEmpty(int n) const;
    bool IsTxEmpty(int n) const;
    bool IsSimplex(int n) const;
    bool IsSameTone(int n) const;

    int GetOption5(int n) const { return GetChannelBit(n, 4); }
    int GetNarrowBand(int n) const { return GetChannelBit(n, 2); }
    int GetHighPower(int n) const { return GetChannelBit(n, 3); }
    int GetOption8(int n) const { return GetChannelBit(n, 0); }
    int GetOption9(int n) const { return GetChannelBit(n, 5); }
    int GetOption10(int n) const { return GetChannelBit(n, 6); }
    int GetOption11(int n) const { return GetChannelBit(n, 7); }
    void SetOption5(int n, int value) { SetChannelBit(n, 4, value); }
    void SetNarrowBand(int n, int value) { SetChannelBit(n, 2, value); }
    void SetHighPower(int n, int value) { SetChannelBit(n, 3, value); }
    void SetOption8(int n, int value) { SetChannelBit(n, 0, value); }
    void SetOption9(int n, int value) { SetChannelBit(n, 5, value); }
    void SetOption10(int n, int value) { SetChannelBit(n, 6, value); }
    void SetOption11(int n, int value) { SetChannelBit(n, 7, value); }

    // --- Frequency and tone texts (codecs: bcd_frequency.h, tone_code.h).
    std::string GetFreqText(int n, bool rx) const;
    // Snapped to the raster; an empty text stores "no frequency". No band test.
    void SetFreqText(int n, bool rx, const std::string& text);
    // -1 below the band, +1 above, 0 inside (limits inclusive) or for "".
    int CheckBand(const std::string& text) const;
    // The lower limit's text for side <= 0, the upper one's for side > 0.
    std::string GetBandLimitText(int side) const;
    // Off reads as the language file's "IDS_OFF" text.
    std::string GetToneText(int n, bool rx) const;
    void SetToneText(int n, bool rx, const std::string& text);
    std::uint16_t GetToneCode(int n, bool rx) const;

    // --- Radio-wide settings: getters clamp what they report, setters store
    // the value as given (bit fields masked to their own bits).
    int GetBeep() const { return GetSettingBits(0, 1); }
    void SetBeep(int value) { SetSettingBits(0, 1, value ? 1 : 0); }
    int GetBatterySave() const { return GetSettingBits(1, 1); }
    void SetBatterySave(int value) { SetSettingBits(1, 1, value ? 1 : 0); }
    int GetVoiceAnnunciation() const;
    void SetVoiceAnnunciation(int value) { SetSettingBits(2, 3, value); }
    int GetPttId() const { return GetSettingBits(4, 3); }
    void SetPttId(int value) { SetSettingBits(4, 3, value); }
    int GetScanMode() const { return GetSettingBits(6, 1); }
    void SetScanMode(int value) { SetSettingBits(6, 1, value ? 1 : 0); }

    int GetSquelchLevel() const { return GetClampedByte(RadioImage::kSquelchLevel, 9); }
    void SetSquelchLevel(int value) { SetByte(RadioImage::kSquelchLevel, value); }
    int GetSideKey1() const { return GetClampedByte(RadioImage::kSideKey1, 15); }
    void SetSideKey1(int value) { SetByte(RadioImage::kSideKey1, value); }
    int GetSideKey2() const { return GetClampedByte(RadioImage::kSideKey2, 15); }
    void SetSideKey2(int value) { SetByte(RadioImage::kSideKey2, value); }
    int GetSideKey1Long() const { return GetClampedByte(RadioImage::kSideKey1Long, 15); }
    void SetSideKey1Long(int value) { SetByte(RadioImage::kSideKey1Long, value); }
    int GetSideKey2Long() const { return GetClampedByte(RadioImage::kSideKey2Long, 15); }
    void SetSideKey2Long(int value) { SetByte(RadioImage::kSideKey2Long, value); }
    int GetTxTimeout() const { return GetClampedByte(RadioImage::kTxTimeout, 10); }
    void SetTxTimeout(int value) { SetByte(RadioImage::kTxTimeout, value); }
    int GetVoxLevel() const { return GetClampedByte(RadioImage::kVoxLevel, 9); }
    void SetVoxLevel(int value) { SetByte(RadioImage::kVoxLevel, value); }
    int GetVoxDelay() const { return GetClampedByte(RadioImage::kVoxDelay, 6); }
    void SetVoxDelay(int value) { SetByte(RadioImage::kVoxDelay, value); }
    // Channel number, 0 for none (stored as 0xFF, otherwise number - 1).
    int GetPriorityChannel() const;
    void SetPriorityChannel(int channel);

    // PTT-ID codes: 15 bytes each, the start code when start is true.
    void GetPttCode(bool start, std::uint8_t* out) const;
    void SetPttCode(bool start, const std::uint8_t* in);
    std::string GetPttCodeText(bool start) const;
    void SetPttCodeText(bool start, const std::string& text);
    // Read password: 6 bytes.
    void GetReadPassword(std::uint8_t* out) const;
    void SetReadPassword(const std::uint8_t* in);
    std::string GetReadPasswordText() const;
    void SetReadPasswordText(const std::string& text);

    // Calibration values 0-5; an index outside 0-5 reads 0 and stores nothing.
    int GetCalibration(int index) const;
    void SetCalibration(int index, int value);
    int GetCalibrationPoint() const { return m_image.bytes[RadioImage::kCalibrationPoint]; }
    void SetCalibrationPoint(int index) { SetByte(RadioImage::kCalibrationPoint, index); }

    // --- Model catalogue ([ModelInfo] of the settings file).
    // The last catalogue entry whose identifier equals modelId; 0 when none does.
    int GetModelIndex() const;
    void UpdateBandLimits();
    // Entry N (0-15) becomes the model (modelId unchanged when the entry is
    // missing), the band limits follow, then ApplyDefaults.
    void SelectModel(int index);
    // UpdateBandLimits, then every view is updated. An image that differs from
    // the last recorded edit was replaced from outside (a radio read) and
    // starts a new undo history.
    void RefreshAll();
    std::int32_t GetBandLowerLimit() const { return m_bandLowerLimit; }
    std::int32_t GetBandUpperLimit() const { return m_bandUpperLimit; }

private:
    std::uint8_t* Channel(int n);
    const std::uint8_t* Channel(int n) const;
    int GetChannelBit(int n, int bit) const;
    void SetChannelBit(int n, int bit, int value);
    int GetSettingBits(int shift, int mask) const;
    void SetSettingBits(int shift, int mask, int value);
    int GetClampedByte(std::size_t offset, int max) const;
    void SetByte(std::size_t offset, int value) { m_image.bytes[offset] = static_cast<std::uint8_t>(value); }
    std::size_t PttCodeOffset(bool start) const;
    // Puts a snapshot from the history back; false when there is none.
    bool RestoreState(const UndoHistory::State* state);

    std::int32_t m_bandLowerLimit = 10000000;
    std::int32_t m_bandUpperLimit = 52000000;
    FileHeader m_header;
    RadioImage m_image;
    LoadResult m_lastLoadResult = LoadResult::Ok;
    std::function<bool()> m_clearQuestion;
    std::function<void()> m_wrongSignature;
    UndoHistory m_history;
};
