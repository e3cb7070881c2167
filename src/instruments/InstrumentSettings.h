#pragma once
// The display scale, alarm and marker of one instrument; a copy per instrument window.
#include <cstddef>
#include <cstdint>
#include <string>

struct InstrumentSettings {
    // Widths of the texts; longer texts are cut to them.
    static constexpr std::size_t MarkerTextWidth = 15;
    static constexpr std::size_t UnitsWidth = 9;
    static constexpr std::size_t ApplicationWidth = 253;

    // Display types.
    static constexpr int32_t Dial = 0;
    static constexpr int32_t Bar = 1;
    static constexpr int32_t Numeric = 2;

    double rangeFrom = 0;
    double rangeTo = 0;
    int32_t instrumentType = Dial;
    bool alarmBeep = false;
    // Critical inside the critical range ("Between"); otherwise outside it ("Outside").
    bool alarmInner = true;
    double alarmRangeFrom = 0;
    double alarmRangeTo = 0;
    // The kind marks no sample; not stored, it follows from the kind.
    bool noMarker = true;
    bool markerOn = false;
    std::string markerText;
    std::string units;
    bool showMarkerX = false;
    bool showMarkerY = false;
    // Program or document opened on a critical value, and the least time in seconds between two starts.
    std::string appExec;
    int32_t appExecTime = 0;
    // Not stored: the application was read from a workspace or tool file and nobody has agreed to
    // start it yet. A program typed into the properties dialog needs no agreement.
    bool applicationUnconfirmed = false;

    // The settings a new instrument of `kind` starts with, its display scale aside.
    static InstrumentSettings forKind(int32_t kind);

    // After the properties dialog: the critical range is moved into the display scale.
    void clampCriticalRange();
    // Each text cut to its width.
    void fitTexts();
};
