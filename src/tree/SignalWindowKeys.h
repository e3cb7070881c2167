#pragma once
// The keys of a signal window's section in a workspace or tool file, after those every window writes.
#include <string>

class TIniHelper;
class marluneMDIChild;

namespace SignalWindowKeys {
// Writes them, the kind's own among them, in the order of the file.
void write(const marluneMDIChild& window, TIniHelper& ini, const std::string& section);
// Sets the view keys over a window made from the section: units, step, labels, Y range, axes and
// the zoom range the window showed.
void apply(marluneMDIChild& window, const TIniHelper& ini, const std::string& section);
}  // namespace SignalWindowKeys
