#pragma once
// Files and dialogs read and write numbers in the C locale whatever the user's locale is.
#include <locale.h>

// A settings file written under a decimal-comma locale must read back everywhere.
locale_t cLocale();

// While an object lives, the calling thread formats and scans numbers in the C locale.
class CLocaleScope {
public:
    CLocaleScope() : previous_(uselocale(cLocale())) {}
    ~CLocaleScope() { uselocale(previous_); }
    CLocaleScope(const CLocaleScope&) = delete;
    CLocaleScope& operator=(const CLocaleScope&) = delete;

private:
    locale_t previous_;
};
