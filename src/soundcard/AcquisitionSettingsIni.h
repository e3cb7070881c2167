#pragma once
// The section "Data acquisition defaults" of the defaults file: 13 keys, integers as "%li".
#include <string>

#include "soundcard/AcquisitionSettings.h"

class TIniHelper;

void writeAcquisitionDefaults(TIniHelper& ini, const std::string& section, const AcquisitionSettings& settings);
// SampleRate is read first: when it is 0 or missing every field keeps its built-in default and nothing else
// is read. TriggerOn and TriggerReArm are set by any non-zero value.
AcquisitionSettings readAcquisitionDefaults(const TIniHelper& ini, const std::string& section);

// The keys of an acquisition window in a workspace or tool file. SegmentLength holds the window length
// (the page length of the window's signal); the sample rate is the base window key, written by the window.
void writeAcquisitionWindow(TIniHelper& ini, const std::string& section, const AcquisitionSettings& settings);
// `signalRate` is the window's base SampleRate key: the rate of the stored signal, that is the device rate
// divided by the decimation, so the device rate is restored as signalRate x Decimation. A Decimation of 0
// reads as 1 and the caption is left empty.
AcquisitionSettings readAcquisitionWindow(const TIniHelper& ini, const std::string& section, long double signalRate);
