#include "views/YAxisForm.h"

#include <cmath>
#include <cstdlib>

#include "base/FormatText.h"
#include "base/NumberText.h"

namespace {
double valueOf(const std::string& text)
{
    return parseDouble(text);
}
}  // namespace

YAxisForm::YAxisForm(const Settings& settings, Window window)
    : maxText(formatText("%.6E", settings.max)), minText(formatText("%.6E", settings.min)), noAutoScale(settings.fixed),
      showAxes(settings.axes), logX(settings.logX), logY(settings.logY), xLabel(settings.xLabel),
      yLabel(settings.yLabel), window_(std::move(window))
{
}

void YAxisForm::preview()
{
    const double max = valueOf(maxText);
    const double min = valueOf(minText);
    if (instantPreview && max > min && window_.previewRange)
        window_.previewRange(float(max), float(min));
}

void YAxisForm::rangeEdited()
{
    preview();
}

void YAxisForm::spinMax(int direction)
{
    const double max = valueOf(maxText);
    const double next = max + direction * 0.1 * std::fabs(max);
    // The maximum must stay above the minimum.
    if (direction < 0 && !(next > valueOf(minText)))
        return;
    maxText = formatText("%.6E", next);
    preview();
}

void YAxisForm::spinMin(int direction)
{
    const double min = valueOf(minText);
    const double next = min + direction * 0.1 * std::fabs(min);
    if (direction > 0 && !(next < valueOf(maxText)))
        return;
    minText = formatText("%.6E", next);
    preview();
}

void YAxisForm::noAutoScaleClicked()
{
    if (window_.setFixed)
        window_.setFixed(noAutoScale);
}

void YAxisForm::showAxesClicked()
{
    if (window_.setAxes)
        window_.setAxes(showAxes);
}

bool YAxisForm::accept()
{
    // The range was written by the last preview; nothing to check here.
    return true;
}
