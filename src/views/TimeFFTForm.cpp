#include "views/TimeFFTForm.h"

#include <algorithm>
#include <cmath>

#include "base/FormatText.h"
#include "base/NumberText.h"
#include "base/UiServices.h"

namespace {
constexpr int PrecisionEntries = 13;  // 16 ... 65536

// The segment count as typed, or as "%g" wrote it (which may use an exponent).
double segmentCount(const std::string& text)
{
    return std::floor(parseDouble(text));
}
}  // namespace

TimeFFTForm::TimeFFTForm(UiServices& ui, uint32_t visibleCount, long double sampleRate, bool spectrogram)
    : ui_(ui), visibleCount_(visibleCount), sampleRate_(sampleRate), spectrogram_(spectrogram)
{
    for (int k = 0; k < PrecisionEntries && (uint32_t(1) << (k + 4)) < visibleCount; ++k)
        precisionEntries.push_back(std::to_string(1u << (k + 4)));
    precision = int(precisionEntries.size()) / 2;
    for (int k = 0; k < AzimuthEntries; ++k)
        azimuthEntries.push_back(std::to_string(k * 10));
    for (int k = 0; k < ElevationEntries; ++k)
        elevationEntries.push_back(std::to_string(80 - k * 10));
    segmentsText = formatText("%g", std::floor(visibleCount * 1.5 / fftLength()));
    fromText = formatText("%.5Lf", sampleRate_ / fftLength());
    toText = formatText("%.5Lf", sampleRate_ / 2);
    showStep();
}

void TimeFFTForm::rewrite(const std::function<void()>& change)
{
    echoGuard_ = true;
    change();
    if (showFields)
        showFields();
    echoGuard_ = false;
}

void TimeFFTForm::showStep()
{
    const double segments = segmentCount(segmentsText);
    if (segments >= 2)
        stepText = formatText("%i", int(std::floor((double(visibleCount_) - fftLength()) / (segments - 1))));
}

void TimeFFTForm::precisionChanged()
{
    rewrite([this] {
        fromText = formatText("%.5Lf", sampleRate_ / fftLength());
        showStep();
    });
}

void TimeFFTForm::segmentsEdited()
{
    if (!echoGuard_)
        rewrite([this] { showStep(); });
}

void TimeFFTForm::stepEdited()
{
    if (echoGuard_)
        return;
    const long long step = parseLongLong(stepText.c_str());
    if (step < 1)
        return;
    rewrite([this, step] {
        segmentsText = formatText("%g", std::floor((double(visibleCount_) - fftLength()) / double(step) + 1));
    });
}

bool TimeFFTForm::accept()
{
    const double segments = segmentCount(segmentsText);
    const long double from = parseLongDouble(fromText);
    const long double to = parseLongDouble(toText);
    bool ok = true;
    if (!(segments > 0)) {
        ui_.messageBox("Number of segments must be positive !!");
        ok = false;
    }
    if (!(from < to && from >= sampleRate_ / fftLength() - 0.0001L && to <= sampleRate_ / 2 + 0.0001L)) {
        ui_.messageBox("Frequency range values are not correct !!");
        ok = false;
    }
    if (!ok)
        return false;
    result_.N = fftLength();
    result_.M = uint32_t(std::min(segments, 4294967295.0));
    result_.azimuth = spectrogram_ ? -1 : azimuth;
    result_.elevation = spectrogram_ ? -1 : elevation;
    result_.fromFrequency = from;
    result_.toFrequency = to;
    return true;
}
