#pragma once
// "Properties..." of a window read from a file: what the file is and holds, in a message box.
#include <string>

class marluneMDIChild;

namespace FileProperties {
constexpr const char* Caption = "Properties";
// Lines "Label: value": file, format, channels, samples, sample rate, length.
std::string text(const marluneMDIChild& window);
void show(marluneMDIChild& window);
}  // namespace FileProperties
