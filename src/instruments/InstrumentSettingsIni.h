#pragma once
// The InstrumentSettings keys of one section.
#include <string>

#include "instruments/InstrumentSettings.h"

class TIniHelper;

// Units, RangeFrom, RangeTo, InstrumentType, AlarmBeep, AlarmInner, AlarmRangeFrom, AlarmRangeTo, MarkerOn,
// MarkerText, ShowMarkerX, ShowMarkerY, AppExec, AppExecTime, in this order; reals "%g", integers "%i", the
// interval "%li".
void writeInstrumentSettings(TIniHelper& ini, const std::string& section, const InstrumentSettings& settings);

// The stored keys over `settings`; the four ranges through the extended reader, texts cut to their
// widths, a missing key read as 0 or empty. An application read from a file waits for the person's
// agreement before it is first started.
InstrumentSettings readInstrumentSettings(const TIniHelper& ini, const std::string& section,
                                          InstrumentSettings settings);
