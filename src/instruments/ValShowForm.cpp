#include "instruments/ValShowForm.h"

#include <algorithm>

#include "base/FormatText.h"
#include "base/NumberText.h"

ValShowForm::ValShowForm(const InstrumentSettings& settings)
    : type(settings.instrumentType), rangeFromText(formatText("%.4G", settings.rangeFrom)),
      rangeToText(formatText("%.4G", settings.rangeTo)), units(settings.units), inner(settings.alarmInner),
      alarmFromText(formatText("%.4G", settings.alarmRangeFrom)),
      alarmToText(formatText("%.4G", settings.alarmRangeTo)),
      beep(settings.alarmBeep), application(settings.appExec), markerOn(settings.markerOn),
      markerText(settings.markerText), showMarkerX(settings.showMarkerX), showMarkerY(settings.showMarkerY),
      settings_(settings), shownRangeFrom_(rangeFromText), shownRangeTo_(rangeToText), shownAlarmFrom_(alarmFromText),
      shownAlarmTo_(alarmToText)
{
    const auto found = std::find_if(Intervals.begin(), Intervals.end(),
                                    [&](const Interval& i) { return i.seconds == settings.appExecTime; });
    if (found != Intervals.end())
        interval = std::size_t(found - Intervals.begin());
}

double ValShowForm::realOf(const std::string& text, const std::string& shown, double value)
{
    return text == shown ? value : parseDouble(text.substr(0, RealLength));
}

bool ValShowForm::accept()
{
    InstrumentSettings& s = settings_;
    s.instrumentType = type;
    s.rangeFrom = realOf(rangeFromText, shownRangeFrom_, s.rangeFrom);
    s.rangeTo = realOf(rangeToText, shownRangeTo_, s.rangeTo);
    s.units = units;
    s.alarmInner = inner;
    s.alarmRangeFrom = realOf(alarmFromText, shownAlarmFrom_, s.alarmRangeFrom);
    s.alarmRangeTo = realOf(alarmToText, shownAlarmTo_, s.alarmRangeTo);
    s.alarmBeep = beep;
    // A program the person typed needs no further agreement; one left as the file named it still does.
    if (application != s.appExec)
        s.applicationUnconfirmed = false;
    s.appExec = application;
    s.appExecTime = interval && *interval < Intervals.size() ? Intervals[*interval].seconds : 0;
    if (markerControlsEnabled()) {
        s.markerOn = markerOn;
        s.markerText = markerText;
        s.showMarkerX = showMarkerX;
        s.showMarkerY = showMarkerY;
    }
    s.fitTexts();
    return true;
}
