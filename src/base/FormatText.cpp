#include "base/FormatText.h"

#include <cstdarg>
#include <cstdio>

#include "base/CLocale.h"

std::string formatText(const char* format, ...)
{
    const CLocaleScope numbersInC;
    va_list arguments;
    va_start(arguments, format);
    va_list measuring;
    va_copy(measuring, arguments);
    const int size = std::vsnprintf(nullptr, 0, format, measuring);
    va_end(measuring);
    std::string text(size > 0 ? std::size_t(size) : 0, '\0');
    if (size > 0)
        std::vsnprintf(text.data(), text.size() + 1, format, arguments);
    va_end(arguments);
    return text;
}
