#include "instruments/InstrumentAlarm.h"

#include <ctime>
#include <filesystem>
#include <unistd.h>

#include "base/FormatText.h"
#include "base/UiServices.h"

namespace {
// Files written on the old platform name folders with backslashes.
std::filesystem::path applicationPath(std::string name)
{
    for (char& c : name)
        if (c == '\\')
            c = '/';
    std::error_code error;
    std::filesystem::path path = std::filesystem::absolute(name, error);
    return error ? std::filesystem::path(name) : path.lexically_normal();
}

bool isReadableFile(const std::filesystem::path& path)
{
    std::error_code error;
    return std::filesystem::is_regular_file(path, error) && access(path.c_str(), R_OK) == 0;
}
}  // namespace

InstrumentAlarm::InstrumentAlarm() : clock_([] { return int64_t(std::time(nullptr)); }) {}

bool InstrumentAlarm::critical(double value, const InstrumentSettings& settings)
{
    const double from = settings.alarmRangeFrom;
    const double to = settings.alarmRangeTo;
    if (from == to)
        return false;
    if (settings.alarmInner)
        return from <= value && value <= to;
    return value < from || value > to;
}

bool InstrumentAlarm::check(double value, InstrumentSettings& settings, UiServices& ui)
{
    if (!critical(value, settings))
        return false;
    if (settings.alarmBeep)
        ui.beep();
    startApplication(value, settings, ui);
    return true;
}

void InstrumentAlarm::startApplication(double value, InstrumentSettings& settings, UiServices& ui)
{
    if (settings.appExec.empty())
        return;
    const std::filesystem::path program = applicationPath(settings.appExec);
    if (!isReadableFile(program))
        return;
    const int64_t now = clock_();
    // With an interval of 0 this still starts at most once a second.
    if (lastStart_ != 0 && now - lastStart_ <= settings.appExecTime)
        return;
    const std::string argument = formatText("%g", value);
    lastStart_ = now;
    const bool executable = access(program.c_str(), X_OK) == 0;
    if (settings.applicationUnconfirmed) {
        const std::string question =
            executable ? formatText("A critical value asks to start the program named in the loaded file:\n%s\n"
                                    "with the argument %s.\n\nStart it now and on later critical values?",
                                    program.c_str(), argument.c_str())
                       : formatText("A critical value (%s) asks to open the file named in the loaded file:\n%s\n\n"
                                    "Open it now and on later critical values?",
                                    argument.c_str(), program.c_str());
        if (!confirmed(question, settings, ui))
            return;
    }
    // The path is absolute, so it is never taken for an option, and no shell splits it or the value.
    if (executable)
        ui.startDetached(program.string(), {argument});
    else
        ui.openWithDesktop(program.string());
}

bool InstrumentAlarm::confirmed(const std::string& question, InstrumentSettings& settings, UiServices& ui)
{
    // Updates go on while the question is open; they do not ask again.
    if (refused_ || asking_)
        return false;
    asking_ = true;
    const MessageResult answer =
        ui.messageBox(question, "Instrument alarm", MessageButtons::YesNo, MessageIcon::Question);
    asking_ = false;
    if (answer != MessageResult::Yes) {
        refused_ = true;
        return false;
    }
    settings.applicationUnconfirmed = false;
    return true;
}
