#include "views/YAxisForm.h"

YAxisForm::YAxisForm(const Settings& settings, Window window)
    : AxisRangeForm(settings.max, settings.min, settings.fixed, settings.axes, 0.1, std::move(window)),
      logX(settings.logX), logY(settings.logY), xLabel(settings.xLabel), yLabel(settings.yLabel)
{
}
