#include "instruments/InstrumentKinds.h"

#include <algorithm>
#include <cmath>

#include "base/FormatText.h"
#include "base/NumberText.h"
#include "base/UiServices.h"
#include "dsp/Statistics.h"
#include "instruments/InstrumentMeasures.h"
#include "instruments/ValueLog.h"
#include "instruments/marlune1DChild.h"
#include "settings/TIniHelper.h"
#include "signal/SignalKind.h"
#include "tree/CommandIds.h"
#include "tree/ExtractOdDoForm.h"
#include "tree/WindowKindTable.h"
#include "tree/marlune3DChild.h"
#include "tree/marluneMDIClient.h"

namespace InstrumentKinds {
namespace {
using Scale = std::pair<double, double>;

Reading valueOnly(double value)
{
    return {value, std::nullopt, 0};
}

Reading marking(InstrumentMeasures::Extreme extreme)
{
    return {extreme.value, extreme.index, extreme.value};
}

// The position of an extreme on the X axis, with the extreme marked.
Reading positionOf(const VisiblePart& part, InstrumentMeasures::Extreme extreme)
{
    return {double(part.firstX + extreme.index / part.sampleRate), extreme.index, extreme.value};
}

// The sample nearest to x while x lies in the visible range; 0 and nothing marked beside it.
Reading valueAt(const VisiblePart& part, long double x)
{
    if (!(part.firstX <= x && x <= part.lastX))
        return {};
    const long double position = std::floor((x - part.firstX) * part.sampleRate + 0.5L);
    const auto index = uint32_t(std::clamp(position, 0.0L, (long double)(part.samples.size() - 1)));
    return marking({part.samples[index], index});
}

// The parent's Y range, the scale of the kinds that show a sample.
Scale yRange(const VisiblePart& part)
{
    return {part.yMin, part.yMax};
}

// RMS values start at 0, or at -1 when the top is 0, so the scale is never empty.
Scale fromZero(const VisiblePart& part)
{
    return {part.yMax == 0 ? -1 : 0, part.yMax};
}

std::string titleWithX(const Entry& entry, unsigned number, long double x, long double, const std::string& parent)
{
    return formatText(entry.title, number, double(x), parent.c_str());
}

std::string titleWithBand(const Entry& entry, unsigned number, long double from, long double to,
                          const std::string& parent)
{
    return formatText(entry.title, number, double(from), double(to), parent.c_str());
}

// "At... (with marker)": the X typed, in the C locale; nothing for Cancel or a text that is no number.
std::optional<PendingParameters> askX(int, std::span<marluneChild* const> parents)
{
    marluneChild& parent = *parents.front();
    UiServices& ui = parent.client().ui();
    const std::optional<std::string> text = ui.inputDialog(" Log value", "Value at:", "", 20);
    if (!text)
        return std::nullopt;
    char* end = nullptr;
    const long double x = parseLongDouble(text->c_str(), &end);
    const bool rest = std::any_of(static_cast<const char*>(end), text->c_str() + text->size(),
                                  [](char c) { return c != ' ' && c != '\t'; });
    if (end == text->c_str() || rest || !std::isfinite(x)) {
        ui.beep();
        return std::nullopt;
    }
    return PendingParameters{x};
}

// "Sum 3D over frequency range...": the "Extract" dialog, opened on the frequencies shown.
std::optional<PendingParameters> askBand(int, std::span<marluneChild* const> parents)
{
    marluneChild& parent = *parents.front();
    const FFTSignal& data = static_cast<marlune3DChild&>(parent).data();
    ExtractOdDoForm form(formatText("%g", data.binY(data.level().firstBin)),
                         formatText("%g", data.binY(data.level().lastBin)));
    if (!parent.client().ui().runDialog(form))
        return std::nullopt;
    return PendingParameters{form.from(), form.to()};
}

const Entry Entries[] = {
    {
        .kind = Mean,
        .command = Cmd::InstrumentMean,
        .title = " %u#Mean of: %s",
        .detail = "(Mean)",
        .read = [](const VisiblePart& part, long double) {
            return valueOnly(double(mean(part.samples.data(), part.samples.size())));
        },
        .scale = [](const VisiblePart& part) { return Scale{part.yMin / 2.0, part.yMax / 2.0}; },
    },
    {
        .kind = StandardDeviation,
        .command = Cmd::InstrumentStdDev,
        .title = " %u#St. dev. of: %s",
        .detail = "(Deviaton)",
        .read = [](const VisiblePart& part, long double) {
            return valueOnly(standardDeviation(part.samples.data(), part.samples.size()));
        },
        .scale = [](const VisiblePart& part) { return Scale{0, double(part.yMax) - double(part.yMin)}; },
    },
    {
        .kind = Maximum,
        .command = Cmd::InstrumentMax,
        .title = " %u#Maximum of: %s",
        .detail = "(Maximum)",
        .marks = true,
        .read = [](const VisiblePart& part, long double) { return marking(InstrumentMeasures::maximum(part.samples)); },
        .scale = yRange,
    },
    {
        .kind = Minimum,
        .command = Cmd::InstrumentMin,
        .title = " %u#Minimum of: %s",
        .detail = "(Minimum)",
        .marks = true,
        .read = [](const VisiblePart& part, long double) { return marking(InstrumentMeasures::minimum(part.samples)); },
        .scale = yRange,
    },
    {
        .kind = ValueAt,
        .command = Cmd::InstrumentAt,
        .title = " %u#Value at %.5g from %s",
        .detail = "(Value:%.5LG)",
        .marks = true,
        .read = valueAt,
        .makeTitle = titleWithX,
        .scale = yRange,
        .askParameters = askX,
        .parameters = 1,
    },
    {
        .kind = MaximumPosition,
        .command = Cmd::InstrumentMaxPos,
        .title = " %u#Pos. of maximum of: %s",
        .detail = "(Max. pos.)",
        .marks = true,
        .read = [](const VisiblePart& part, long double) {
            return positionOf(part, InstrumentMeasures::maximum(part.samples));
        },
        .scale = [](const VisiblePart& part) { return Scale{double(part.firstX), double(part.lastX)}; },
    },
    {
        .kind = MinimumPosition,
        .command = Cmd::InstrumentMinPos,
        .title = " %u#Pos. of minimum of: %s",
        .detail = "(Min. pos.)",
        .marks = true,
        .read = [](const VisiblePart& part, long double) {
            return positionOf(part, InstrumentMeasures::minimum(part.samples));
        },
        .scale = [](const VisiblePart& part) { return Scale{double(part.firstX), double(part.lastX)}; },
    },
    {
        .kind = Sum,
        .command = Cmd::InstrumentSum,
        .title = " %u#Sum of: %s",
        .detail = "(Sum)",
        .read = [](const VisiblePart& part, long double) {
            return valueOnly(InstrumentMeasures::sumOfMagnitudes(part.samples));
        },
        .scale = [](const VisiblePart& part) {
            const auto n = double(part.samples.size());
            return Scale{part.yMin * n, part.yMax * n};
        },
    },
    {
        .kind = BandSum3D,
        .command = Cmd::InstrumentSum3D,
        .title = " %u# Sum[%.3g,%.3g] from %s",
        .band3D = true,
        .makeTitle = titleWithBand,
        .scale = [](const VisiblePart&) { return Scale{0, 10000}; },
        .askParameters = askBand,
        .parameters = 2,
    },
    {
        .kind = Custom,
        .title = " Custom",
        .read = [](const VisiblePart&, long double) { return valueOnly(0); },
        .scale = [](const VisiblePart&) { return Scale{-10000, 10000}; },
    },
    {
        .kind = Rms,
        .command = Cmd::InstrumentRms,
        .title = " %u#RMS: %s",
        .detail = "(RMS-zero)",
        .read = [](const VisiblePart& part, long double) { return valueOnly(InstrumentMeasures::rms(part.samples)); },
        .scale = fromZero,
    },
    {
        .kind = RmsAboutMean,
        .command = Cmd::InstrumentRmsNormalized,
        .title = " %u#RMS(normalized): %s",
        .detail = "(RMS-mean)",
        .read = [](const VisiblePart& part, long double) {
            return valueOnly(InstrumentMeasures::rmsAboutMean(part.samples));
        },
        .scale = fromZero,
    },
    {
        .kind = Thd,
        .title = " ",
        .detail = "(THD)",
        .read = [](const VisiblePart& part, long double) { return valueOnly(InstrumentMeasures::thd(part.samples)); },
        .scale = yRange,
    },
    {
        .kind = ThdNoise,
        .title = " ",
        .detail = "(THD+Noise)",
        .read = [](const VisiblePart&, long double) { return valueOnly(0); },
        .scale = yRange,
    },
    {
        .kind = Snr,
        .title = " %u#SNR of: %s",
        .detail = "(SNR)",
        .read = [](const VisiblePart& part, long double) { return valueOnly(InstrumentMeasures::snr(part.samples)); },
        .scale = [](const VisiblePart&) { return Scale{-100, 150}; },
    },
};
}  // namespace

const Entry* find(int32_t kind)
{
    const auto found =
        std::find_if(std::begin(Entries), std::end(Entries), [kind](const Entry& e) { return e.kind == kind; });
    return found == std::end(Entries) ? nullptr : found;
}

void addTo(WindowKindTable& table)
{
    for (const Entry& entry : Entries)
        table.add({
            .kind = entry.kind,
            .title = entry.title,
            .icon = marlune1DChild::Icon,
            .acceptsParent = entry.band3D ? SignalKind::is3D : SignalKind::isSignalWindow,
            .command = entry.command,
            .askParameters = entry.askParameters,
            .makeWindow = marlune1DChild::make,
            .readParameters = [](const TIniHelper& ini, const std::string& section) {
                return PendingParameters{ini.readExtended(section, marlune1DChild::Value1Key),
                                         ini.readExtended(section, marlune1DChild::Value2Key)};
            },
            .controlDetail = [](const marluneChild& window) {
                const Entry* instrument = find(window.kind());
                return formatText(instrument->detail, window.parameterValue());
            },
        });
    table.add(ValueLog::kind());
}

}  // namespace InstrumentKinds
