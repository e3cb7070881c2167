#include "views/AxisRangeForm.h"

#include <cmath>

#include "base/FormatText.h"
#include "base/NumberText.h"

AxisRangeForm::AxisRangeForm(float max, float min, bool fixed, bool axes, double spinShare, Window window)
    : maxText(formatText("%.6E", double(max))), minText(formatText("%.6E", double(min))), noAutoScale(fixed),
      showAxes(axes), spinShare_(spinShare), window_(std::move(window))
{
}

void AxisRangeForm::preview()
{
    const double max = parseDouble(maxText);
    const double min = parseDouble(minText);
    if (instantPreview && max > min && window_.previewRange)
        window_.previewRange(float(max), float(min));
}

void AxisRangeForm::rangeEdited()
{
    preview();
}

void AxisRangeForm::spinMax(int direction)
{
    const double max = parseDouble(maxText);
    const double next = max + direction * spinShare_ * std::fabs(max);
    if (direction < 0 && !(next > parseDouble(minText)))
        return;
    maxText = formatText("%.6E", next);
    preview();
}

void AxisRangeForm::spinMin(int direction)
{
    const double min = parseDouble(minText);
    const double next = min + direction * spinShare_ * std::fabs(min);
    if (direction > 0 && !(next < parseDouble(maxText)))
        return;
    minText = formatText("%.6E", next);
    preview();
}

void AxisRangeForm::noAutoScaleClicked()
{
    if (window_.setFixed)
        window_.setFixed(noAutoScale);
}

void AxisRangeForm::showAxesClicked()
{
    if (window_.setAxes)
        window_.setAxes(showAxes);
}
