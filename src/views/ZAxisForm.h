#pragma once
// The "Axes settings" dialog of a 3D window.
#include <string>

#include "views/AxisRangeForm.h"

// The current level's Z range with spins of 5 %, the scaling and axes switches, the three axis titles. OK
// keeps the titles.
class ZAxisForm : public AxisRangeForm {
public:
    static constexpr std::string_view Name = "ZAxis";

    struct Settings {
        float max = 1;
        float min = 0;
        bool fixed = false;
        bool axes = true;
        std::string xLabel;
        std::string yLabel;
        std::string zLabel;
    };

    ZAxisForm(const Settings& settings, Window window);

    std::string xLabel;   // "X label:"
    std::string yLabel;   // "Y label:"
    std::string zLabel;   // "Z label:"

    std::string_view formName() const override { return Name; }
    std::string storedXLabel() const { return stored(xLabel); }
    std::string storedYLabel() const { return stored(yLabel); }
    std::string storedZLabel() const { return stored(zLabel); }
};
