#include "tree/FilterControlForm.h"

#include "base/FormatText.h"
#include "dsp/RealTransformPair.h"
#include "signal/FILTSignal.h"
#include "signal/SignalKind.h"
#include "tree/DerivedWindows.h"
#include "tree/marluneMDIChild.h"
#include "tree/marluneMDIClient.h"

FilterControlForm::FilterControlForm(marluneMDIClient& client, marluneMDIChild& window)
    : client_(client), window_(&window)
{
}

bool FilterControlForm::windowOpen() const
{
    return client_.isRegistered(window_) && window_->kind() == SignalKind::Filtered;
}

std::string FilterControlForm::windowTitle() const
{
    return windowOpen() ? window_->title() : std::string();
}

std::string FilterControlForm::fromText() const
{
    return windowOpen() ? formatText("%.3Lf", static_cast<const FILTSignal&>(*window_->signal()).fromFreq) : std::string();
}

std::string FilterControlForm::toText() const
{
    return windowOpen() ? formatText("%.3Lf", static_cast<const FILTSignal&>(*window_->signal()).toFreq) : std::string();
}

bool FilterControlForm::stepFrom(int direction)
{
    return move(true, direction);
}

bool FilterControlForm::stepTo(int direction)
{
    return move(false, direction);
}

bool FilterControlForm::move(bool from, int direction)
{
    if (!windowOpen())
        return false;
    auto& filtered = static_cast<FILTSignal&>(*window_->signal());
    const long double rate = filtered.sampleRate();
    const long double step = rate / powerOfTwoAtLeast(filtered.count());
    long double lower = filtered.fromFreq;
    long double upper = filtered.toFreq;
    // Each direction has its own limit, so a from of 0 (as the filter dialog gives it) can still move up.
    if (from && direction > 0) {
        lower += step;
        if (lower >= upper)
            return false;
    } else if (from) {
        lower -= step;
        if (lower < rate / filtered.count())
            return false;
    } else if (direction > 0) {
        upper += step;
        if (upper > rate / 2)
            return false;
    } else {
        upper -= step;
        if (upper <= lower)
            return false;
    }
    filtered.fromFreq = lower;
    filtered.toFreq = upper;
    DerivedWindows::refresh(*window_);
    return true;
}
