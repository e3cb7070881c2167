#pragma once
// The parameters a command hands to the derived window it is about to create.
#include <vector>

// Extended reals in the order each kind reads them (for example from and to frequency, then the filter
// type).
using PendingParameters = std::vector<long double>;
