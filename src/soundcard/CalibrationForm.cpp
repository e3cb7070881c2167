#include "soundcard/CalibrationForm.h"

#include <algorithm>
#include <cstdlib>
#include <system_error>
#include <vector>

#include "base/FormatText.h"
#include "base/NumberText.h"
#include "base/UiServices.h"
#include "soundcard/SoundDevices.h"

namespace {
constexpr const char* OpenFailed =
    "Could not open your sound card for playing. Please check if sound card is properly installed.";

std::string sixDecimals(double value)
{
    return formatText("%.6f", value);
}

// The largest magnitude among the first frames of one channel, 0 when all are silent.
int peakOf(const SoundBuffer& buffer, std::size_t channel, std::size_t frames)
{
    int peak = 0;
    for (std::size_t frame = 0; frame < frames && 2 * frame + channel < buffer.samples.size(); ++frame)
        peak = std::max(peak, std::abs(int(buffer.samples[2 * frame + channel])));
    return peak;
}
}  // namespace

void CalibrationForm::run(UiServices& ui, SoundDevices& devices, const ProgramPaths& paths,
                          const std::string& calibrationFile)
{
    const std::filesystem::path named = CalibrationData::file(paths, calibrationFile);
    CalibrationForm form(ui, devices, paths,
                         !calibrationFile.empty() && CalibrationData::canOpen(named)
                             ? named
                             : CalibrationData::file(paths, CalibrationData::DefaultFile));
    ui.runDialog(form);
}

CalibrationForm::CalibrationForm(UiServices& ui, SoundDevices& devices, ProgramPaths paths,
                                 const std::filesystem::path& file)
    : ui_(ui), devices_(devices), paths_(std::move(paths))
{
    show(CalibrationData{});
    loadFile(file);
}

CalibrationForm::~CalibrationForm()
{
    stopMeasuring();
}

void CalibrationForm::show(const CalibrationData& data)
{
    inputLevel1Text = sixDecimals(data.inputLevels[0]);
    inputLevel2Text = sixDecimals(data.inputLevels[1]);
    levelText = sixDecimals(data.calibrationLevel);
    unitsText = data.units;
    type = data.type == CalibrationData::Peak || data.type == CalibrationData::Rms ? data.type : -1;
    offsetText = sixDecimals(data.offset);
}

CalibrationData CalibrationForm::edited() const
{
    CalibrationData data;
    data.inputLevels = {parseDouble(inputLevel1Text), parseDouble(inputLevel2Text)};
    data.calibrationLevel = parseDouble(levelText);
    data.units = unitsText;
    data.type = type;
    data.offset = parseDouble(offsetText);
    return data;
}

void CalibrationForm::loadFile(const std::filesystem::path& file)
{
    if (!CalibrationData::canOpen(file))
        return;
    currentFile_ = file;
    show(CalibrationData::read(file));
}

std::string CalibrationForm::fileLabel() const
{
    if (!currentFile_)
        return {};
    const std::string path = currentFile_->string();
    return path.size() > FileLabelLength ? path.substr(0, FileLabelLength) + "..." : path;
}

bool CalibrationForm::saveEnabled() const
{
    return currentFile_ && CalibrationData::canOpen(*currentFile_);
}

void CalibrationForm::newCalibration()
{
    currentFile_.reset();
    inputLevel1Text = "50";
    inputLevel2Text = "50";
    levelText = "1";
    unitsText.clear();
    offsetText = "0";
    type = CalibrationData::Peak;
}

void CalibrationForm::load()
{
    if (!mayDiscard())
        return;
    const std::vector<std::filesystem::path> folders = paths_.readFolders(CalibrationData::FolderName);
    const std::vector<std::string> chosen =
        ui_.openFileDialog(Filter, false, folders.empty() ? std::string() : folders.front().string());
    if (!chosen.empty())
        loadFile(chosen.front());
}

void CalibrationForm::save()
{
    if (saveEnabled())
        saveTo(currentFile_);
}

void CalibrationForm::saveAs()
{
    saveTo(std::nullopt);
}

bool CalibrationForm::saveTo(std::optional<std::filesystem::path> target)
{
    const CalibrationData data = edited();
    if (data.inputLevels[0] == 0 || data.inputLevels[1] == 0 || data.calibrationLevel == 0) {
        ui_.messageBox(Invalid, "Marlune");
        return false;
    }
    // The user's calibration folder may not exist yet, on the first save of an installed program.
    const std::filesystem::path writable = paths_.writableFolder(CalibrationData::FolderName);
    std::error_code error;
    std::filesystem::create_directories(writable, error);
    if (!target || !CalibrationData::canOpen(*target)) {
        const std::optional<std::string> chosen = ui_.saveFileDialog(Filter, "cal", writable.string());
        if (!chosen)
            return false;
        target = *chosen;
    } else {
        target = paths_.writeTarget(CalibrationData::FolderName, *target);
    }
    if (!data.write(*target)) {
        ui_.messageBox("Could not write " + target->string() + ".", "Marlune");
        return false;
    }
    currentFile_ = target;
    return true;
}

bool CalibrationForm::mayDiscard()
{
    const CalibrationData stored = currentFile_ ? CalibrationData::read(*currentFile_) : CalibrationData{};
    if (edited() == stored)
        return true;
    switch (ui_.messageBox("Do you want to save changed data?", "Save?", MessageButtons::YesNoCancel,
                           MessageIcon::Question)) {
    case MessageResult::Yes:
        return saveTo(currentFile_);
    case MessageResult::No:
        return true;
    default:
        return false;
    }
}

bool CalibrationForm::accept()
{
    if (!mayDiscard())
        return false;
    stopMeasuring();
    return true;
}

void CalibrationForm::toggleMeasuring()
{
    if (measuring()) {
        stopMeasuring();
        measureButtonText_ = "Start measuring now!";
    } else {
        startMeasuring();
    }
}

void CalibrationForm::startMeasuring()
{
    if (devices_.names(SoundDirection::Input).empty()) {
        ui_.messageBox("Could not find the sound card in your system.", "Error");
        return;
    }
    stream_ = devices_.open(SoundDirection::Input, SoundDevices::DefaultDevice, {2, MeasureRate});
    if (!stream_) {
        ui_.messageBox(OpenFailed, "Error");
        return;
    }
    firstBufferSeen_ = false;
    stream_->setDoneHandler([this](std::unique_ptr<SoundBuffer> buffer) { measured(std::move(buffer)); });
    for (long tag = 1; tag <= 2; ++tag)
        stream_->queue(std::make_unique<SoundBuffer>(2 * MeasureFrames, tag));
    stream_->start();
    measureButtonText_ = "Stop measuring";
}

void CalibrationForm::stopMeasuring()
{
    if (!stream_)
        return;
    stream_->reset();
    stream_.reset();
}

void CalibrationForm::measured(std::unique_ptr<SoundBuffer> buffer)
{
    if (!stream_)
        return;
    // A device that stops working ends the measurement as one that would not open; the levels stay.
    if (buffer->failed) {
        stopMeasuring();
        measureButtonText_ = "Start measuring now!";
        ui_.messageBox(OpenFailed, "Error");
        if (showFields)
            showFields();
        return;
    }
    if (buffer->aborted)
        return;
    if (firstBufferSeen_) {
        // A field changes only where a sample rose above silence, as the peak climbs.
        const int peak1 = peakOf(*buffer, 0, PeakFrames);
        const int peak2 = peakOf(*buffer, 1, PeakFrames);
        if (peak1 > 0)
            inputLevel1Text = sixDecimals(peak1 / 32767.0 * 100);
        if (peak2 > 0)
            inputLevel2Text = sixDecimals(peak2 / 32767.0 * 100);
        if (showFields)
            showFields();
    }
    firstBufferSeen_ = true;
    stream_->queue(std::move(buffer));
}
