#include "views/YAxisForm.h"

#include "base/UiServices.h"
#include "views/CurveDisplay.h"

YAxisForm::YAxisForm(const Settings& settings, Window window)
    : AxisRangeForm(settings.max, settings.min, settings.fixed, settings.axes, 0.1, std::move(window)),
      logX(settings.logX), logY(settings.logY), xLabel(settings.xLabel), yLabel(settings.yLabel)
{
}

void YAxisForm::run(UiServices& ui, CurveDisplay& display, float max, float min,
                    const std::function<void(float max, float min)>& previewRange,
                    const std::function<void()>& repaint)
{
    Window hooks;
    hooks.previewRange = previewRange;
    hooks.setFixed = [&display](bool fixed) { display.fixedRange = fixed; };
    hooks.setAxes = [&display, &repaint](bool axes) {
        display.axes = axes;
        repaint();
    };
    YAxisForm form({max, min, display.fixedRange, display.axes, display.logX, display.logY, display.xLabel, display.yLabel},
                   hooks);
    if (ui.runDialog(form)) {
        display.xLabel = form.storedXLabel();
        display.yLabel = form.storedYLabel();
        display.logX = form.logX;
        display.logY = form.logY;
    }
    repaint();
}
