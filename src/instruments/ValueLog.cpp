#include "instruments/ValueLog.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>

#include "base/NoMoreMemory.h"
#include "base/NumberText.h"
#include "base/UiServices.h"
#include "instruments/marlune1DChild.h"
#include "settings/TIniHelper.h"
#include "signal/SignalKind.h"
#include "signal/TrackSignal.h"
#include "tree/ControlDetails.h"
#include "tree/CommandIds.h"
#include "tree/marluneMDIChild.h"
#include "tree/marluneMDIClient.h"

namespace {
constexpr int32_t LogIcon = 11001;

float currentValue(const marluneChild& parent)
{
    return float(static_cast<const marlune1DChild&>(parent).value());
}

// "Buffer length": text that is not a number reads as 0, which still makes a log of one value.
std::optional<PendingParameters> askLength(int, std::span<marluneChild* const> parents)
{
    marluneChild& parent = *parents.front();
    const auto text = parent.client().ui().inputDialog("Buffer length", "Length:", "100", 10);
    if (!text)
        return std::nullopt;
    const long double length = parseLongDouble(*text);
    return PendingParameters{std::isnan(length) ? 0 : length};
}

std::unique_ptr<Signal> build(marluneMDIChild& window, marluneChild& parent, const PendingParameters& parameters,
                              const SpectralSettings&)
{
    const long double asked = parameters.empty() ? 0 : parameters[0];
    const auto length =
        uint32_t(std::clamp(std::trunc(asked), 1.0L, (long double)std::numeric_limits<uint32_t>::max()));
    try {
        return std::make_unique<TrackSignal>(&window, length, currentValue(parent));
    } catch (const std::bad_alloc&) {
        showNoMoreMemory(window.client().ui());
        return nullptr;
    }
}

RecomputeOutcome recompute(marluneMDIChild& window, marluneChild& parent)
{
    // A full log keeps what it has and passes nothing on.
    return static_cast<TrackSignal&>(*window.signal()).append(currentValue(parent)) ? RecomputeOutcome::Updated
                                                                                     : RecomputeOutcome::Held;
}

const WindowKind Entry{
    .kind = SignalKind::Track,
    .title = " %u#LOG(%s)",
    .xLabel = "sample",
    .icon = LogIcon,
    .acceptsParent = SignalKind::isInstrument,
    .build = build,
    .recompute = recompute,
    .reset = [](marluneMDIChild& window) {
        if (const marluneChild* parent = window.parent())
            static_cast<TrackSignal&>(*window.signal()).reset(currentValue(*parent));
    },
    .command = Cmd::LogInstrument,
    .askParameters = askLength,
    .saveKeys = [](const marluneMDIChild& window, TIniHelper& ini, const std::string& section) {
        ini.writeLong(section, "MaxLength", long(static_cast<const TrackSignal&>(*window.signal()).maxLength()));
    },
    .readParameters = [](const TIniHelper& ini, const std::string& section) {
        return PendingParameters{(long double)ini.readLong(section, "MaxLength")};
    },
    .controlDetail = ControlDetails::sampleCount,
};
}  // namespace

namespace ValueLog {
const WindowKind& kind()
{
    return Entry;
}
}  // namespace ValueLog
