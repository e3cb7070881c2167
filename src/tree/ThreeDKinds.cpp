#include "tree/ThreeDKinds.h"

#include <filesystem>

#include "base/FormatText.h"
#include "settings/TIniHelper.h"
#include "signal/SignalKind.h"
#include "tree/marlune3DChild.h"
#include "tree/marluneMDIChild.h"
#include "tree/marluneMDIClient.h"

namespace {
// Every 3D window shows the same icon in its frame; the control window tells them apart.
constexpr int32_t Icon3D = 11002;

std::string dimensions(const marluneChild& window)
{
    const FFTSignal& data = static_cast<const marlune3DChild&>(window).data();
    return formatText("(%ux%u)", data.rows(), data.bins());
}

const WindowKind Kinds[] = {
    {
        .kind = SignalKind::TimeFFT,
        .icon = Icon3D,
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
