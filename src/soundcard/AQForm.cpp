#include "soundcard/AQForm.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <strings.h>

#include "base/FormatText.h"
#include "base/NumberText.h"
#include "base/UiServices.h"
#include "settings/ProgramPaths.h"
#include "soundcard/CalibrationData.h"
#include "soundcard/SoundDevices.h"

namespace {
// The ordinary decimal conversion of a field: text that is not a number reads as 0.
int32_t decimal(const std::string& text)
{
    const long long value = parseLongLong(text.c_str());
    return static_cast<int32_t>(std::clamp<long long>(value, std::numeric_limits<int32_t>::min(),
                                                      std::numeric_limits<int32_t>::max()));
}

int indexOf(const std::vector<std::string>& entries, const std::string& text)
{
    const auto found = std::find(entries.begin(), entries.end(), text);
    return found == entries.end() ? -1 : int(found - entries.begin());
}

std::string entryText(const std::vector<std::string>& entries, int index)
{
    return index >= 0 && index < int(entries.size()) ? entries[std::size_t(index)] : std::string();
}

// A selection index from a stored number, clamped into the list.
int selectionOf(int32_t value, int32_t first, std::size_t entries)
{
    return std::clamp(int(value - first), 0, int(entries) - 1);
}

// The calibration files of the folders, sorted, each name once; none from a missing folder.
std::vector<std::string> calibrationFiles(const std::vector<std::filesystem::path>& folders)
{
    std::vector<std::string> names;
    for (const std::filesystem::path& folder : folders) {
        std::error_code error;
        for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
             entry.increment(error)) {
            const std::filesystem::path& path = entry->path();
            if (entry->is_regular_file(error) && strcasecmp(path.extension().c_str(), ".cal") == 0)
                names.push_back(path.filename().string());
        }
    }
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}
}  // namespace

bool AQForm::run(UiServices& ui, const SoundDevices& devices, const ProgramPaths& paths, AcquisitionSettings& record)
{
    record.caption = AcquisitionSettings::DefaultCaption;
    AQForm form(ui, devices, paths, record);
    return ui.runDialog(form);
}

AQForm::AQForm(UiServices& ui, const SoundDevices& devices, const ProgramPaths& paths, AcquisitionSettings& record)
    : ui_(ui), devices_(devices), record_(record)
{
    sourceEntries.push_back(DefaultSource);
    for (const std::string& name : devices.names(SoundDirection::Input))
        sourceEntries.push_back(name);
    calibrationEntries = calibrationFiles(paths.readFolders(CalibrationData::FolderName));
    calibration = indexOf(calibrationEntries, record.calibrationFile);
    if (calibration < 0)
        calibration = indexOf(calibrationEntries, CalibrationData::DefaultFile);

    for (const char* ratio : AcquisitionSettings::DecimationRatios)
        decimationEntries.push_back(ratio);
    decimation = indexOf(decimationEntries, std::to_string(record.decimation));
    // A device that is gone since the record was made leaves the default device selected.
    const int wanted = record.device + 1;
    source = wanted >= 0 && wanted < int(sourceEntries.size()) ? wanted : 0;
    channels = selectionOf(record.channels, 1, channelEntries.size());
    triggerChannel = selectionOf(record.triggerChannel, 1, triggerChannelEntries.size());
    thresholdText = std::to_string(record.threshold);
    skipText = std::to_string(record.skip);
    windowLengthText = std::to_string(record.windowLength);
    recordingLengthText = std::to_string(record.recordingLength);
    triggerOn = record.triggerOn;
    reArm = record.reArm;
    customRateText = std::to_string(record.sampleRate);
    caption = record.caption;

    fillRates();
    rate = indexOf(rateEntries, std::to_string(record.sampleRate));
    if (rate < 0) {
        customRate = true;
        rate = indexOf(rateEntries, "44100");
    }
}

void AQForm::fillRates()
{
    const std::string remembered = entryText(rateEntries, rate);
    rateEntries.clear();
    for (int32_t standard : AcquisitionSettings::StandardRates)
        if (devices_.supports(SoundDirection::Input, source - 1, {channels + 1, standard}))
            rateEntries.push_back(std::to_string(standard));
    rate = indexOf(rateEntries, remembered);
}

int32_t AQForm::shownRate() const
{
    return decimal(customRate ? customRateText : entryText(rateEntries, rate));
}

int32_t AQForm::decimationValue() const
{
    // A ratio that is not in the list (a hand-edited file) stays as it was.
    return decimation >= 0 ? decimal(entryText(decimationEntries, decimation)) : std::max(record_.decimation, 1);
}

std::string AQForm::resultingRateText() const
{
    const int32_t n = decimationValue();
    return n == 1 ? std::string() : formatText("(resulting in sample rate = %g Hz)", double(shownRate()) / n);
}

bool AQForm::accept()
{
    AcquisitionSettings edited = record_;
    edited.channels = channels + 1;
    edited.device = source - 1;
    edited.calibrationFile = entryText(calibrationEntries, calibration).substr(0, CalibrationNameLength);
    edited.windowLength = decimal(windowLengthText);
    edited.recordingLength = decimal(recordingLengthText);
    edited.sampleRate = shownRate();
    bool ok = devices_.supports(SoundDirection::Input, edited.device, {edited.channels, edited.sampleRate});
    edited.decimation = decimationValue();
    edited.triggerOn = triggerOn;
    edited.threshold = decimal(thresholdText);
    ok = ok && edited.threshold >= -100 && edited.threshold <= 100;
    edited.skip = decimal(skipText);
    ok = ok && edited.skip >= 0 && edited.skip <= 50;
    edited.triggerChannel = triggerChannel + 1;
    edited.reArm = reArm;
    // The recording is cut into windows of at least one sample and cannot last less than nothing.
    ok = ok && edited.windowLength >= 1 && edited.recordingLength >= 0;
    if (!ok) {
        ui_.messageBox(Refusal, "Marlune");
        return false;
    }
    record_ = edited;
    return true;
}
