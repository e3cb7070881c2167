#pragma once
#include <utility>
#include <vector>

#include "views/AxisRangeForm.h"

// Records what an axes form asks of its window: previewed ranges and the two switches.
struct Previews {
    std::vector<std::pair<float, float>> ranges;
    std::vector<bool> fixed;
    std::vector<bool> axes;

    AxisRangeForm::Window hooks()
    {
        return {[this](float max, float min) { ranges.emplace_back(max, min); },
                [this](bool on) { fixed.push_back(on); }, [this](bool on) { axes.push_back(on); }};
    }
};
