#include "tree/ThreeDKinds.h"

#include <algorithm>
#include <filesystem>
#include <limits>

#include "base/FormatText.h"
#include "base/NumberText.h"
#include "base/UiServices.h"
#include "settings/TIniHelper.h"
#include "signal/SignalKind.h"
#include "tree/marlune3DChild.h"
#include "tree/marluneMDIChild.h"
#include "tree/CommandIds.h"
#include "tree/marluneMDIClient.h"
#include "views/TimeFFTForm.h"

namespace {
// Every 3D window shows the same icon in its frame; the control window tells them apart.
constexpr int32_t Icon3D = 11002;

// One dialog for every parent: the segments must fit the shortest of them.
std::optional<PendingParameters> askTimeFFT(int command, std::span<marluneChild* const> parents)
{
    UiServices& ui = parents.front()->client().ui();
    TimeFFTForm form(ui, shortestVisible(parents), signalWindowOf(parents.front())->signal()->sampleRate(), command == Cmd::Spectrogram);
    if (!ui.runDialog(form))
        return std::nullopt;
    const TimeFFTParameters& p = form.result();
    return PendingParameters{(long double)p.N,         (long double)p.M,  (long double)p.azimuth,
                             (long double)p.elevation, p.fromFrequency, p.toFrequency};
}

marluneChild* createTimeFFT(marluneMDIClient& client, marluneChild& parent, const PendingParameters& parameters)
{
    const TimeFFTParameters p{uint32_t(parameters.at(0)), uint32_t(parameters.at(1)),   int32_t(parameters.at(2)),
                              int32_t(parameters.at(3)),  parameters.at(4), parameters.at(5)};
    return marlune3DChild::createTimeFFT(client, *signalWindowOf(&parent), p);
}

std::optional<PendingParameters> askLogLength(int, std::span<marluneChild* const> parents)
{
    UiServices& ui = parents.front()->client().ui();
    const auto text = ui.inputDialog("3D Signal log", "Length:", "100", 10);
    if (!text)
        return std::nullopt;
    const long long length = parseLongLong(text->c_str());
    if (length < 1 || length > std::numeric_limits<int32_t>::max()) {
        ui.beep();
        return std::nullopt;
    }
    return PendingParameters{(long double)length};
}

marluneChild* createLog(marluneMDIClient& client, marluneChild& parent, const PendingParameters& parameters)
{
    return marlune3DChild::createLog(client, *signalWindowOf(&parent), uint32_t(parameters.at(0)));
}

std::string dimensions(const marluneChild& window)
{
    const FFTSignal& data = static_cast<const marlune3DChild&>(window).data();
    return formatText("(%ux%u)", data.rows(), data.bins());
}

const WindowKind Kinds[] = {
    {
        .kind = SignalKind::TimeFFT,
        .icon = Icon3D,
        .command = Cmd::TimeFFT,
        .secondCommand = Cmd::Spectrogram,
        .askParameters = askTimeFFT,
        .createWindow = createTimeFFT,
        .spectral = [](const marluneChild& window) -> const SpectralSettings* {
            return &static_cast<const marlune3DChild&>(window).spectral;
        },
        .load = [](const WorkspaceSection& section, marluneChild* parent) -> marluneChild* {
            marluneMDIChild* signalParent = signalWindowOf(parent);
            if (!signalParent)
                return nullptr;
            const TIniHelper& ini = section.ini;
            TimeFFTParameters parameters;
            parameters.N = uint32_t(std::max(ini.readInt(section.name, "FFTPrecision"), 0));
            parameters.M = uint32_t(std::max(ini.readInt(section.name, "SegmentsCount"), 0));
            parameters.azimuth = ini.readInt(section.name, "ViewX");
            parameters.elevation = ini.readInt(section.name, "ViewY");
            parameters.fromFrequency = ini.readDouble(section.name, "FFTFromFreq");
            parameters.toFrequency = ini.readDouble(section.name, "FFTToFreq");
            return marlune3DChild::createTimeFFT(section.client, *signalParent, parameters, &section.spectral);
        },
        .controlIcon = 110,
        .controlDetail = dimensions,
    },
    {
        .kind = SignalKind::SignalLog3D,
        .icon = Icon3D,
        .command = Cmd::SignalLog3D,
        .askParameters = askLogLength,
        .createWindow = createLog,
        .load = [](const WorkspaceSection& section, marluneChild* parent) -> marluneChild* {
            marluneMDIChild* signalParent = signalWindowOf(parent);
            const int length = section.ini.readInt(section.name, "SegmentsCount");
            if (!signalParent || length <= 0)
                return nullptr;
            return marlune3DChild::createLog(section.client, *signalParent, uint32_t(length));
        },
        .controlDetail = dimensions,
    },
    {
        .kind = SignalKind::Picture,
        .icon = Icon3D,
        .load = [](const WorkspaceSection& section, marluneChild* parent) -> marluneChild* {
            const std::string stored = section.ini.readText(section.name, "FileName");
            if (parent || stored.empty())
                return nullptr;
            const std::optional<std::filesystem::path> path = section.locate(stored);
            return path ? marlune3DChild::openPicture(section.client, *path) : nullptr;
        },
        .controlIcon = 27756,
        .controlDetail = dimensions,
    },
};
}  // namespace

std::span<const WindowKind> threeDKinds()
{
    return Kinds;
}
