#include "tree/ThreeDKinds.h"

#include <filesystem>

#include "settings/TIniHelper.h"
#include "signal/SignalKind.h"
#include "tree/marlune3DChild.h"
#include "tree/marluneMDIChild.h"
#include "tree/marluneMDIClient.h"

namespace {
const WindowKind Kinds[] = {
    {
        .kind = SignalKind::TimeFFT,
        .spectral = [](const marluneChild& window) -> const SpectralSettings* {
            return &static_cast<const marlune3DChild&>(window).spectral;
        },
        // The client's spectral settings stand for the window's own while it is made.
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
            return marlune3DChild::createTimeFFT(section.client, *signalParent, parameters);
        },
    },
    {
        .kind = SignalKind::SignalLog3D,
        .load = [](const WorkspaceSection& section, marluneChild* parent) -> marluneChild* {
            marluneMDIChild* signalParent = signalWindowOf(parent);
            const int length = section.ini.readInt(section.name, "SegmentsCount");
            if (!signalParent || length <= 0)
                return nullptr;
            return marlune3DChild::createLog(section.client, *signalParent, uint32_t(length));
        },
    },
    {
        .kind = SignalKind::Picture,
        .load = [](const WorkspaceSection& section, marluneChild* parent) -> marluneChild* {
            const std::string stored = section.ini.readText(section.name, "FileName");
            if (parent || stored.empty())
                return nullptr;
            const std::optional<std::filesystem::path> path = section.locate(stored);
            return path ? marlune3DChild::openPicture(section.client, *path) : nullptr;
        },
    },
};
}  // namespace

std::span<const WindowKind> threeDKinds()
{
    return Kinds;
}
