#pragma once
// The band a person marked on a curve, in absolute sample indices.
#include <cstdint>
#include <utility>

// Zoom and extract take `zoom`, the sample edits and the clipboard take `edit`, which counts in proportion
// to the plot width.
struct SampleSelection {
    std::pair<uint32_t, uint32_t> zoom;
    std::pair<uint32_t, uint32_t> edit;

    bool operator==(const SampleSelection&) const = default;
};
