#include "instruments/InstrumentSettings.h"

#include <algorithm>

#include "instruments/InstrumentKinds.h"

InstrumentSettings InstrumentSettings::forKind(int32_t kind)
{
    InstrumentSettings settings;
    if (kind == InstrumentKinds::Custom)
        settings.instrumentType = Numeric;
    const InstrumentKinds::Entry* entry = InstrumentKinds::find(kind);
    const bool marks = entry && entry->marks;
    settings.noMarker = !marks;
    settings.markerOn = marks;
    return settings;
}

void InstrumentSettings::clampCriticalRange()
{
    if (alarmRangeFrom < rangeFrom)
        alarmRangeFrom = rangeFrom;
    if (alarmRangeTo < rangeFrom)
        alarmRangeTo = rangeFrom;
    if (alarmRangeFrom > rangeTo)
        alarmRangeFrom = rangeTo;
    if (alarmRangeTo > rangeTo)
        alarmRangeTo = rangeTo;
}

void InstrumentSettings::fitTexts()
{
    markerText.resize(std::min(markerText.size(), MarkerTextWidth));
    units.resize(std::min(units.size(), UnitsWidth));
    appExec.resize(std::min(appExec.size(), ApplicationWidth));
}
