#include "views/ZAxisForm.h"

#include <cmath>

#include "base/FormatText.h"
#include "base/NumberText.h"

ZAxisForm::ZAxisForm(const Settings& settings, Window window)
    : maxText(formatText("%.6E", double(settings.max))), minText(formatText("%.6E", double(settings.min))),
      noAutoScale(settings.fixed), showAxes(settings.axes), xLabel(settings.xLabel), yLabel(settings.yLabel),
      zLabel(settings.zLabel), window_(std::move(window))
{
}

void ZAxisForm::preview()
{
    const double max = parseDouble(maxText);
    const double min = parseDouble(minText);
    if (max > min && window_.previewRange)
        window_.previewRange(float(max), float(min));
}

void ZAxisForm::rangeEdited()
{
    preview();
}

void ZAxisForm::spinMax(int direction)
{
    const double max = parseDouble(maxText);
    const double next = max + direction * 0.05 * std::fabs(max);
    // The maximum is lowered only while it stays above the minimum.
    if (direction < 0 && !(next > parseDouble(minText)))
        return;
    maxText = formatText("%.6E", next);
    preview();
}

void ZAxisForm::spinMin(int direction)
{
    const double min = parseDouble(minText);
    const double next = min + direction * 0.05 * std::fabs(min);
    if (direction > 0 && !(next < parseDouble(maxText)))
        return;
    minText = formatText("%.6E", next);
    preview();
}

void ZAxisForm::noAutoScaleClicked()
{
    if (window_.setFixed)
        window_.setFixed(noAutoScale);
}

void ZAxisForm::showAxesClicked()
{
    if (window_.setAxes)
        window_.setAxes(showAxes);
}

bool ZAxisForm::accept()
{
    // The range was written by the last preview; nothing to check here.
    return true;
}
