#pragma once
// What the axes dialogs of the signal and 3D windows share.
#include <functional>
#include <string>

#include "base/DialogForm.h"

// "Max :" and "Min :" in "%.6E" with spins that move a value by a share of its own magnitude, a valid range
// previewed at once, and the "No auto-scale" and "Show axes" switches applied at once. The range was
// written by the last preview, so OK has nothing to check.
class AxisRangeForm : public DialogForm {
public:
    // The title edits take 20 characters; 19 are kept.
    static constexpr int LabelTyped = 20;
    static constexpr std::size_t LabelStored = 19;

    // How the dialog reaches its window while it is open.
    struct Window {
        std::function<void(float max, float min)> previewRange;
        std::function<void(bool fixed)> setFixed;
        std::function<void(bool axes)> setAxes;
    };

    std::string maxText;          // "Max :"
    std::string minText;          // "Min :"
    bool noAutoScale;             // "No auto-scale"
    bool showAxes;                // "Show axes"
    bool instantPreview = true;   // the signal dialog's "Instant preview"; the 3D dialog always previews

    // The person typed into "Max :" or "Min :".
    void rangeEdited();
    // One click of a spin: +1 up, -1 down. The maximum moves down, the minimum up, only while the
    // maximum stays above the minimum.
    void spinMax(int direction);
    void spinMin(int direction);
    void noAutoScaleClicked();
    void showAxesClicked();

    bool accept() override { return true; }

    static std::string stored(const std::string& label) { return label.substr(0, LabelStored); }

protected:
    AxisRangeForm(float max, float min, bool fixed, bool axes, double spinShare, Window window);

private:
    void preview();

    double spinShare_;
    Window window_;
};
