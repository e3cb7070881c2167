#pragma once
// What an instrument does with a critical value.
#include <cstdint>
#include <functional>
#include <string>

#include "instruments/InstrumentSettings.h"

class UiServices;

// Beep, and open the alarm application at most once per interval. An executable is started directly with
// the value ("%g") as its only argument; any other readable file is opened with the desktop's handler. An
// application read from a file is first shown to the person, with its full path and the argument, and
// starts only once they agree.
class InstrumentAlarm {
public:
    // Seconds of the wall clock; tests step their own.
    using Clock = std::function<int64_t()>;

    InstrumentAlarm();

    // Whether `value` lies in the critical state of the settings; a range of equal ends never does.
    static bool critical(double value, const InstrumentSettings& settings);

    // The check after every computation: true when the value is critical, after the beep and the
    // start. The agreement to an application read from a file is kept in `settings`.
    bool check(double value, InstrumentSettings& settings, UiServices& ui);

    void setClock(Clock clock) { clock_ = std::move(clock); }
    // New settings: an application refused before may be asked for again.
    void settingsChanged() { refused_ = false; }

private:
    void startApplication(double value, InstrumentSettings& settings, UiServices& ui);
    // Asks the person about an application read from a file; false when they refuse or are being asked.
    bool confirmed(const std::string& question, InstrumentSettings& settings, UiServices& ui);

    Clock clock_;
    // When the application was last started; 0 = never.
    int64_t lastStart_ = 0;
    bool refused_ = false;
    bool asking_ = false;
};
