#pragma once
// The "Instrument properties" dialog on a copy of an instrument's settings.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "base/DialogForm.h"
#include "instruments/InstrumentSettings.h"

class ValShowForm : public DialogForm {
public:
    static constexpr std::string_view Name = "ValShow";
    // The edits of the two ranges take this many characters; the real is read from up to RealLength.
    static constexpr int RangeLength = 19;
    static constexpr std::size_t RealLength = 29;

    struct Interval {
        const char* label;
        int32_t seconds;
    };
    // "but not more than once in".
    static constexpr std::array<Interval, 10> Intervals{{{"10 sec", 10},
                                                         {"30 sec", 30},
                                                         {"1 min", 60},
                                                         {"5 min", 300},
                                                         {"10 min", 600},
                                                         {"30 min", 1800},
                                                         {"1h", 3600},
                                                         {"6h", 21600},
                                                         {"12h", 43200},
                                                         {"1 day", 86400}}};

    explicit ValShowForm(const InstrumentSettings& settings);

    // "Circle" sets Dial, "Numeric" sets Numeric; a bar instrument shows neither and stays a bar.
    int32_t type;
    std::string rangeFromText;  // "Range:" ... "---", shown "%.4G"
    std::string rangeToText;
    std::string units;          // "Units:"
    bool inner;                 // "Between" / "Outside"
    std::string alarmFromText;  // "from:", shown "%.4G"
    std::string alarmToText;    // "to:"
    bool beep;                  // "Beep on critical value"
    std::string application;    // "Execute this application on critical value:"
    // Index into Intervals; none when the interval is none of them.
    std::optional<std::size_t> interval;
    bool markerOn;              // "Show marker in signal"
    std::string markerText;     // "Show text (max 16 char):"
    bool showMarkerX;           // "Show X value"
    bool showMarkerY;           // "Show Y value"

    // The marker controls are disabled for the kinds that mark no sample.
    bool markerControlsEnabled() const { return !settings_.noMarker; }

    std::string_view formName() const override { return Name; }
    // Takes the fields into the copy; never refuses.
    bool accept() override;
    // The settings after an accepted OK.
    const InstrumentSettings& result() const { return settings_; }

private:
    // The real of an edit; a text left as it was shown keeps the exact value behind it.
    static double realOf(const std::string& text, const std::string& shown, double value);

    InstrumentSettings settings_;
    std::string shownRangeFrom_;
    std::string shownRangeTo_;
    std::string shownAlarmFrom_;
    std::string shownAlarmTo_;
};
