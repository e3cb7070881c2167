#pragma once
// A kind's parameter block written to and read from the keys of a workspace section.
#include <span>
#include <string>

#include "tree/PendingParameters.h"

class TIniHelper;

// A key of a workspace section that holds one value of a kind's parameter block.
struct ParameterKey {
    enum class Format { Int, Long, Extended };  // "%i", "%li", "%Lg"
    const char* name;
    Format format;
};

// The values of a parameter block under their keys, in order; integers are truncated.
void writeParameterKeys(TIniHelper& ini, const std::string& section, std::span<const ParameterKey> keys,
                        const PendingParameters& values);
// The block back from the keys; a missing key reads 0.
PendingParameters readParameterKeys(const TIniHelper& ini, const std::string& section,
                                    std::span<const ParameterKey> keys);
