#pragma once
#include <clocale>
#include <cstdlib>
#include <string>

#include "support/TempFolder.h"

// Runs the process under a German locale, where the decimal separator is a comma, for the life of the
// object, as a Qt program does for a German user. The locale is built with localedef where none is
// installed; active() tells whether it could be put in force.
class CommaLocale {
public:
    CommaLocale() : previous_(std::setlocale(LC_ALL, nullptr))
    {
        const std::string build =
            "localedef -i de_DE -f UTF-8 '" + (locales_.path / "de_DE.UTF-8").string() + "' 2>/dev/null";
        if (std::system(build.c_str()) == 0)
            setenv("LOCPATH", locales_.path.c_str(), 1);
        active_ = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr && std::strtod("2,5", nullptr) == 2.5;
    }
    ~CommaLocale()
    {
        std::setlocale(LC_ALL, previous_.c_str());
        unsetenv("LOCPATH");
    }
    CommaLocale(const CommaLocale&) = delete;
    CommaLocale& operator=(const CommaLocale&) = delete;

    bool active() const { return active_; }

private:
    TempFolder locales_;
    std::string previous_;
    bool active_ = false;
};

// Skips the calling test when no decimal-comma locale can be made on this machine.
#define REQUIRE_COMMA_LOCALE(locale) \
    if (!(locale).active())          \
    GTEST_SKIP() << "no locale with a decimal comma could be made"
