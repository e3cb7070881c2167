#include "soundcard/AcquisitionSettingsIni.h"

#include <cmath>

#include "settings/TIniHelper.h"

namespace {
int32_t readInt32(const TIniHelper& ini, const std::string& section, const char* key)
{
    return static_cast<int32_t>(ini.readLong(section, key));
}

// The keys the defaults section and a window's section share, in their written order after the rates.
void writeTrigger(TIniHelper& ini, const std::string& section, const AcquisitionSettings& s)
{
    ini.writeLong(section, "TriggerOn", s.triggerOn ? 1 : 0);
    ini.writeLong(section, "TriggerTreshold", s.threshold);
    ini.writeLong(section, "TriggerChannel", s.triggerChannel);
    ini.writeLong(section, "TriggerReArm", s.reArm ? 1 : 0);
    ini.writeLong(section, "TriggerSkipSamples", s.skip);
    ini.writeText(section, "Calibration", s.calibrationFile);
}

void readTrigger(const TIniHelper& ini, const std::string& section, AcquisitionSettings& s)
{
    s.triggerOn = ini.readLong(section, "TriggerOn") != 0;
    s.threshold = readInt32(ini, section, "TriggerTreshold");
    s.triggerChannel = readInt32(ini, section, "TriggerChannel");
    s.reArm = ini.readLong(section, "TriggerReArm") != 0;
    s.skip = readInt32(ini, section, "TriggerSkipSamples");
    s.calibrationFile = ini.readText(section, "Calibration");
}
}  // namespace

void writeAcquisitionDefaults(TIniHelper& ini, const std::string& section, const AcquisitionSettings& s)
{
    ini.writeLong(section, "SampleRate", s.sampleRate);
    ini.writeLong(section, "DeviceType", s.deviceType);
    ini.writeLong(section, "DeviceID", s.device);
    ini.writeLong(section, "Decimation", s.decimation);
    ini.writeLong(section, "NumberOfChannels", s.channels);
    ini.writeLong(section, "WindowLength", s.windowLength);
    ini.writeLong(section, "TotalLength", s.recordingLength);
    writeTrigger(ini, section, s);
}

AcquisitionSettings readAcquisitionDefaults(const TIniHelper& ini, const std::string& section)
{
    AcquisitionSettings s;
    const int32_t sampleRate = readInt32(ini, section, "SampleRate");
    if (sampleRate == 0)
        return s;
    s.sampleRate = sampleRate;
    s.deviceType = readInt32(ini, section, "DeviceType");
    s.device = readInt32(ini, section, "DeviceID");
    s.decimation = readInt32(ini, section, "Decimation");
    s.channels = readInt32(ini, section, "NumberOfChannels");
    s.windowLength = readInt32(ini, section, "WindowLength");
    s.recordingLength = readInt32(ini, section, "TotalLength");
    readTrigger(ini, section, s);
    return s;
}

void writeAcquisitionWindow(TIniHelper& ini, const std::string& section, const AcquisitionSettings& s)
{
    ini.writeLong(section, "DeviceType", s.deviceType);
    ini.writeLong(section, "DeviceID", s.device);
    ini.writeLong(section, "Decimation", s.decimation);
    ini.writeLong(section, "NumberOfChannels", s.channels);
    ini.writeLong(section, "TotalLength", s.recordingLength);
    ini.writeLong(section, "SegmentLength", s.windowLength);
    writeTrigger(ini, section, s);
}

AcquisitionSettings readAcquisitionWindow(const TIniHelper& ini, const std::string& section, long double signalRate)
{
    AcquisitionSettings s;
    s.caption.clear();
    s.deviceType = readInt32(ini, section, "DeviceType");
    s.device = readInt32(ini, section, "DeviceID");
    s.decimation = readInt32(ini, section, "Decimation");
    if (s.decimation == 0)
        s.decimation = 1;
    s.channels = readInt32(ini, section, "NumberOfChannels");
    s.recordingLength = readInt32(ini, section, "TotalLength");
    s.windowLength = readInt32(ini, section, "SegmentLength");
    readTrigger(ini, section, s);
    const long double deviceRate = std::round(signalRate * s.decimation);
    s.sampleRate = deviceRate > 0 && deviceRate <= INT32_MAX ? static_cast<int32_t>(deviceRate) : 0;
    return s;
}
