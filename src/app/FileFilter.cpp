#include "app/FileFilter.h"

#include <algorithm>
#include <vector>

namespace {
std::vector<std::string> split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::string::size_type begin = 0;
    for (auto end = text.find(separator); end != std::string::npos; end = text.find(separator, begin)) {
        parts.push_back(text.substr(begin, end - begin));
        begin = end + 1;
    }
    if (begin < text.size())
        parts.push_back(text.substr(begin));
    return parts;
}

std::string withoutPatternsInName(std::string name)
{
    if (!name.empty() && name.back() == ')') {
        if (const auto open = name.rfind('('); open != std::string::npos)
            name.erase(open);
    }
    while (!name.empty() && name.back() == ' ')
        name.pop_back();
    return name;
}
}  // namespace

std::string qtFileFilter(const std::string& filter)
{
    const std::vector<std::string> parts = split(filter, '|');
    std::string result;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        std::string patterns = parts[i + 1];
        std::replace(patterns.begin(), patterns.end(), ';', ' ');
        if (!result.empty())
            result += ";;";
        result += withoutPatternsInName(parts[i]) + " (" + patterns + ")";
    }
    return result;
}
