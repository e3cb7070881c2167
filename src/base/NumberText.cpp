#include "base/NumberText.h"

#include <stdlib.h>

#include "base/CLocale.h"

long double parseLongDouble(const char* text, char** end)
{
    return strtold_l(text, end, cLocale());
}

double parseDouble(const char* text, char** end)
{
    return strtod_l(text, end, cLocale());
}

float parseFloat(const char* text, char** end)
{
    return strtof_l(text, end, cLocale());
}

long long parseLongLong(const char* text, char** end)
{
    return strtoll_l(text, end, 10, cLocale());
}
