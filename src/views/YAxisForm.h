#pragma once
// The "Axes settings" dialog of a signal window.
#include <functional>
#include <string>

#include "views/AxisRangeForm.h"

class UiServices;
struct CurveDisplay;

// The Y range with spins of 10 %, the scaling and axes switches, "Instant preview", the logarithm flags and
// the two axis titles. OK keeps the labels and the logarithm flags.
class YAxisForm : public AxisRangeForm {
public:
    static constexpr std::string_view Name = "YAxis";

    struct Settings {
        float max = 1;
        float min = -1;
        bool fixed = false;
        bool axes = true;
        bool logX = false;
        bool logY = false;
        std::string xLabel;
        std::string yLabel;
    };

    YAxisForm(const Settings& settings, Window window);

    // The dialog for a curve drawn with `display` over the range max ... min: `previewRange` shows a
    // range at once, the switches change `display` at once, OK keeps the labels and the logarithm
    // flags; the curve is drawn again when the dialog closes.
    static void run(UiServices& ui, CurveDisplay& display, float max, float min,
                    const std::function<void(float max, float min)>& previewRange,
                    const std::function<void()>& repaint);

    bool logX;            // "Logarithm X-Axis"
    bool logY;            // "Logarithm Y-Axis", hidden
    std::string xLabel;   // "X label:"
    std::string yLabel;   // "Y label:"

    std::string_view formName() const override { return Name; }
    // The labels as the window keeps them.
    std::string storedXLabel() const { return stored(xLabel); }
    std::string storedYLabel() const { return stored(yLabel); }
};
