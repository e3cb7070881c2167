#include "settings/FFTDefaultsForm.h"

#include <cstdlib>

#include "base/NumberText.h"
#include "base/UiServices.h"

namespace {
std::string field(int value)
{
    return std::to_string(value);
}

// Fields hold at most four characters of a decimal number; an empty field reads 0.
bool blank(const std::string& digits)
{
    return digits.find_first_not_of(" \t") == std::string::npos;
}

long parseInteger(const std::string& text, bool& ok)
{
    const std::string digits = text.substr(0, FFTDefaultsForm::FieldLength);
    char* end = nullptr;
    const long long value = parseLongLong(digits.c_str(), &end);
    ok = end != digits.c_str() || blank(digits);
    return long(value);
}

long parseTruncatedReal(const std::string& text, bool& ok)
{
    const std::string digits = text.substr(0, FFTDefaultsForm::FieldLength);
    char* end = nullptr;
    const double value = parseDouble(digits.c_str(), &end);
    ok = (end != digits.c_str() || blank(digits)) && value > -1e9 && value < 1e9;
    return ok ? long(value) : 0;
}
}  // namespace

FFTDefaultsForm::FFTDefaultsForm(UiServices& ui, const SpectralSettings& settings, Context context)
    : ui_(ui), context_(context), result_(settings)
{
    subtractMean = settings.doNormalize != 0;
    removeTrend = settings.doRemoveLinTrend != 0;
    removePeaks = settings.doRemovePeaks != 0;
    peakLimit = field(settings.removePeaksVal);
    applyWindow = settings.doTaper != 0;
    window = settings.window;
    expand = settings.doExpandWithZeros != 0;
    expansion = settings.expandWithZerosVal;
    averaged = settings.type == SpectrumType::Averaged;
    averages = field(settings.average);
    show = settings.show;
    smooth = settings.doSmooth != 0;
    smoothWindow = settings.smoothWindow;
    smoothLength = field(settings.smoothLen);
    testPeaks = settings.doTestPeaks != 0;
    confidence = settings.testPeaksLevel == 1 ? 1 : 0;
}

bool FFTDefaultsForm::expansionEnabled() const
{
    return context_ != Context::TimeFFT && context_ != Context::Calculator;
}

bool FFTDefaultsForm::showEnabled(int value) const
{
    // A calculator's cross operations only make magnitudes and logarithms of them.
    return context_ != Context::Calculator || value == 2 || value == 3;
}

bool FFTDefaultsForm::testEnabled() const
{
    return context_ != Context::Calculator;
}

bool FFTDefaultsForm::accept()
{
    bool limitOk = false;
    bool lengthOk = false;
    bool averagesOk = false;
    const long limit = parseTruncatedReal(peakLimit, limitOk);
    const long length = parseInteger(smoothLength, lengthOk);
    const long count = parseInteger(averages, averagesOk);
    // A negative smoothing length has no meaning as a kernel length and is refused like 0.
    if (!limitOk || !lengthOk || !averagesOk || limit < 1 || limit > 100 || length <= 0 || count < 0 || count > 99) {
        ui_.messageBox("Wrong settings !!", "Marlune");
        return false;
    }
    SpectralSettings s = result_;
    s.doNormalize = subtractMean;
    s.doRemoveLinTrend = removeTrend;
    s.doRemovePeaks = removePeaks;
    s.removePeaksVal = int32_t(limit);
    s.doTaper = applyWindow;
    s.window = window;
    s.doExpandWithZeros = expand;
    s.expandWithZerosVal = expansion;
    s.type = averaged ? SpectrumType::Averaged : SpectrumType::Instantaneous;
    s.average = int32_t(count);
    if (show >= 0 && show < int(ShowNames.size()))
        s.show = show;
    s.doSmooth = smooth;
    s.smoothWindow = smoothWindow;
    s.smoothLen = int32_t(length);
    s.doTestPeaks = testPeaks;
    s.testPeaksLevel = confidence == 1 ? 1 : 5;
    result_ = s;
    return true;
}
