#pragma once
#include <functional>
#include <string>

#include "base/DialogForm.h"

// The "Axes settings" dialog: the Y range with its spins, the scaling and axes switches, the axis titles.
// Range edits and spins preview at once while "Instant preview" is checked; "No auto-scale" and
// "Show axes" apply at once. OK keeps the labels and the logarithm flags.
class YAxisForm : public DialogForm {
public:
    static constexpr std::string_view Name = "YAxis";
    // The title edits take 20 characters; 19 are kept.
    static constexpr int LabelTyped = 20;
    static constexpr std::size_t LabelStored = 19;

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
    // How the dialog reaches its window while it is open.
    struct Window {
        std::function<void(float max, float min)> previewRange;
        std::function<void(bool fixed)> setFixed;
        std::function<void(bool axes)> setAxes;
    };

    YAxisForm(const Settings& settings, Window window);

    std::string maxText;  // "Max :"
    std::string minText;  // "Min :"
    bool noAutoScale;     // "No auto-scale"
    bool instantPreview = true;  // "Instant preview"
    bool showAxes;        // "Show axes"
    bool logX;            // "Logarithm X-Axis"
    bool logY;            // "Logarithm Y-Axis", hidden
    std::string xLabel;   // "X label:"
    std::string yLabel;   // "Y label:"

    // The person typed into "Max :" or "Min :".
    void rangeEdited();
    // One click of a spin: +1 up, -1 down; a change of 10 % of the value's own magnitude.
    void spinMax(int direction);
    void spinMin(int direction);
    void noAutoScaleClicked();
    void showAxesClicked();

    std::string_view formName() const override { return Name; }
    bool accept() override;
    // The labels as the window keeps them.
    std::string storedXLabel() const { return xLabel.substr(0, LabelStored); }
    std::string storedYLabel() const { return yLabel.substr(0, LabelStored); }

private:
    void preview();

    Window window_;
};
