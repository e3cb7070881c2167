#pragma once
// The "Calibration" dialog.
#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "base/DialogForm.h"
#include "settings/ProgramPaths.h"
#include "soundcard/CalibrationData.h"

class SoundDevices;
class SoundStream;
struct SoundBuffer;
class UiServices;

// Edits, loads and saves calibration files and measures how far a reference signal drives the two inputs.
// "Close" is its OK: it asks whether to save changed data first.
class CalibrationForm : public DialogForm {
public:
    static constexpr std::string_view Name = "Calibration";
    static constexpr int LevelLength = 14;   // input levels and calibration level
    static constexpr int UnitsLength = 4;
    static constexpr int OffsetLength = 7;
    static constexpr std::size_t FileLabelLength = 60;
    static constexpr std::array<const char*, 2> TypeNames{"Peak", "RMS"};
    static constexpr const char* Filter = "Calibration files(*.cal)|*.cal";
    static constexpr const char* Invalid =
        "Calibration settings are not valid. Input levels or calibration level can not be 0.";
    // The measurement: the default input in stereo at 11025 Hz, two buffers of 2048 frames, the peaks of
    // the first 512 frames of each.
    static constexpr int MeasureRate = 11025;
    static constexpr std::size_t MeasureFrames = 2048;
    static constexpr std::size_t PeakFrames = 512;

    // The calibration command: the dialog on the named calibration file, or on "default.cal" when that
    // file cannot be opened.
    static void run(UiServices& ui, SoundDevices& devices, const ProgramPaths& paths, const std::string& calibrationFile);

    // Loads `file` when it can be opened and makes it the current file.
    CalibrationForm(UiServices& ui, SoundDevices& devices, ProgramPaths paths, const std::filesystem::path& file);
    ~CalibrationForm() override;
    CalibrationForm(const CalibrationForm&) = delete;
    CalibrationForm& operator=(const CalibrationForm&) = delete;

    // Fields, as the dialog shows them.
    std::string inputLevel1Text;
    std::string inputLevel2Text;
    std::string levelText;
    std::string unitsText;
    int type = 0;  // index into TypeNames; -1 for none
    std::string offsetText;

    // Called when a measurement rewrote the input levels, so the dialog can show them.
    std::function<void()> showFields;

    // The current file's full path, cut to 60 characters with "..." appended; empty without a current file.
    std::string fileLabel() const;
    bool saveEnabled() const;
    bool measuring() const { return stream_ != nullptr; }
    const std::string& measureButtonText() const { return measureButtonText_; }

    // "New": no current file; both inputs at 50 % stand for a level of 1, no units, no offset, "Peak".
    void newCalibration();
    // "Load...": after the save question, a file chosen from the calibration folder (the user's when
    // there is one).
    void load();
    // "Save": into the current file, only while it exists; a shipped file that cannot be written is saved
    // as the user's copy, which then becomes the current file.
    void save();
    // "Save As...": into a file chosen by name, starting in the folder where calibration files are written.
    void saveAs();
    // "Measure input signal now!": starts or stops measuring.
    void toggleMeasuring();

    // The fields read back into a record.
    CalibrationData edited() const;
    const std::optional<std::filesystem::path>& currentFile() const { return currentFile_; }

    std::string_view formName() const override { return Name; }
    // "Close": the save question; false (Cancel) keeps the dialog open. A measurement stops.
    bool accept() override;

private:
    void show(const CalibrationData& data);
    void loadFile(const std::filesystem::path& file);
    // Writes the fields into `target`, or into a file chosen by name when there is none; false when nothing
    // was saved.
    bool saveTo(std::optional<std::filesystem::path> target);
    // Asks whether to save the fields when they differ from the current file; false on Cancel, or when the
    // person wanted them saved and they were not.
    bool mayDiscard();
    void startMeasuring();
    void stopMeasuring();
    void measured(std::unique_ptr<SoundBuffer> buffer);

    UiServices& ui_;
    SoundDevices& devices_;
    ProgramPaths paths_;
    std::optional<std::filesystem::path> currentFile_;
    std::unique_ptr<SoundStream> stream_;
    bool firstBufferSeen_ = false;
    std::string measureButtonText_ = "Measure input signal now!";
};
