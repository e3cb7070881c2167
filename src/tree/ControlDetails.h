#pragma once
// Details that several kinds' labels in the control window share.
#include <string>

class marluneChild;

namespace ControlDetails {
// "(%u)": the number of samples of the window's signal.
std::string sampleCount(const marluneChild& window);
// "(%.10s;%lu)": the first 10 characters of the source file's name and the number of visible samples.
std::string fileAndVisibleCount(const marluneChild& window);
// The title text after "#".
std::string titleAfterHash(const marluneChild& window);
}  // namespace ControlDetails
