#include "views/ZAxisForm.h"

ZAxisForm::ZAxisForm(const Settings& settings, Window window)
    : AxisRangeForm(settings.max, settings.min, settings.fixed, settings.axes, 0.05, std::move(window)),
      xLabel(settings.xLabel), yLabel(settings.yLabel), zLabel(settings.zLabel)
{
}
