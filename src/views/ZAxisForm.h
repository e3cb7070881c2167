#pragma once
#include <functional>
#include <string>

#include "base/DialogForm.h"

// The "Axes settings" dialog of a 3D window: the current level's Z range with its spins, the scaling
// and axes switches, the three axis titles. A valid range is previewed at once; the switches apply at
// once; OK keeps the titles.
class ZAxisForm : public DialogForm {
public:
    static constexpr std::string_view Name = "ZAxis";
    // The title edits take 20 characters; 19 are kept.
    static constexpr int LabelTyped = 20;
    static constexpr std::size_t LabelStored = 19;

    struct Settings {
        float max = 1;
        float min = 0;
        bool fixed = false;
        bool axes = true;
        std::string xLabel;
        std::string yLabel;
        std::string zLabel;
    };
    // How the dialog reaches its window while it is open.
    struct Window {
        std::function<void(float max, float min)> previewRange;
        std::function<void(bool fixed)> setFixed;
        std::function<void(bool axes)> setAxes;
    };

    ZAxisForm(const Settings& settings, Window window);

    std::string maxText;  // "Max :"
    std::string minText;  // "Min :"
    bool noAutoScale;     // "No auto-scale"
    bool showAxes;        // "Show axes"
    std::string xLabel;   // "X label:"
    std::string yLabel;   // "Y label:"
    std::string zLabel;   // "Z label:"

    // The person typed into "Max :" or "Min :".
    void rangeEdited();
    // One click of a spin: +1 up, -1 down; a change of 5 % of the value's own magnitude.
    void spinMax(int direction);
    void spinMin(int direction);
    void noAutoScaleClicked();
    void showAxesClicked();

    std::string_view formName() const override { return Name; }
    bool accept() override;
    std::string storedXLabel() const { return xLabel.substr(0, LabelStored); }
    std::string storedYLabel() const { return yLabel.substr(0, LabelStored); }
    std::string storedZLabel() const { return zLabel.substr(0, LabelStored); }

private:
    void preview();

    Window window_;
};
