#include "tree/FileWindowKinds.h"

#include "settings/TIniHelper.h"
#include "signal/SignalKind.h"
#include "tree/AsciiImport.h"
#include "tree/ControlDetails.h"
#include "tree/SignalOpener.h"
#include "tree/WorkspaceSection.h"
#include "tree/marluneMDIChild.h"

namespace {
constexpr int32_t FileIcon = 59;

// The file's first channel opens the file again and so makes the other channels; those are found
// among its windows, not made on their own.
bool opensTheFile(const WorkspaceSection& section, const marluneChild* parent)
{
    return !parent && section.ini.readInt(section.name, "ChannelNumber") == 0;
}

marluneChild* reopen(const WorkspaceSection& section, marluneChild* parent)
{
    if (!opensTheFile(section, parent))
        return nullptr;
    const auto path = section.locate(section.ini.readText(section.name, "FileName"));
    return path ? SignalOpener(section.client).open({path->string()}) : nullptr;
}

WindowKind fileKind(int32_t kind, bool replaceable)
{
    return {
        .kind = kind,
        .icon = FileIcon,
        .acceptsParent = [](int32_t) { return false; },
        .load = reopen,
        .controlDetail = ControlDetails::fileAndVisibleCount,
        .replaceable = replaceable,
    };
}

const WindowKind Kinds[] = {
    fileKind(SignalKind::FileSignal, true),
    fileKind(SignalKind::WavChannel, true),
    fileKind(SignalKind::Sa3Channel, false),
    {
        .kind = SignalKind::AsciiColumn,
        .icon = FileIcon,
        .acceptsParent = [](int32_t) { return false; },
        .saveKeys = [](const marluneMDIChild& window, TIniHelper& ini, const std::string& section) {
            ini.writeInt(section, "XAxisFromFile", window.xAxisFromFile() ? 1 : -1);
        },
        .load = [](const WorkspaceSection& section, marluneChild* parent) -> marluneChild* {
            if (!opensTheFile(section, parent))
                return nullptr;
            const auto path = section.locate(section.ini.readText(section.name, "FileName"));
            if (!path)
                return nullptr;
            return AsciiImport(section.client)
                .importWith(*path, section.ini.readExtended(section.name, "SampleRate"),
                            section.ini.readInt(section.name, "XAxisFromFile") == 1);
        },
        .controlDetail = ControlDetails::fileAndVisibleCount,
    },
};
}  // namespace

std::span<const WindowKind> fileWindowKinds()
{
    return Kinds;
}
