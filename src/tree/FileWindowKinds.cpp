#include "tree/FileWindowKinds.h"

#include "tree/FileProperties.h"
#include "settings/TIniHelper.h"
#include "signal/SignalKind.h"
#include "tree/AsciiImport.h"
#include "tree/ControlDetails.h"
#include "tree/SignalOpener.h"
#include "tree/WorkspaceSection.h"
#include "tree/marluneMDIChild.h"

namespace {
constexpr int32_t FileIcon = 59;

// The file a section reopens. Only the file's first channel opens it again, and so makes the other
// channels; those are found among its windows, not made on their own.
std::optional<std::filesystem::path> sourceFile(const WorkspaceSection& section, const marluneChild* parent)
{
    if (parent || section.ini.readInt(section.name, "ChannelNumber") != 0)
        return std::nullopt;
    return section.locate(section.ini.readText(section.name, "FileName"));
}

marluneChild* reopen(const WorkspaceSection& section, marluneChild* parent)
{
    const auto path = sourceFile(section, parent);
    return path ? SignalOpener(section.client).open({path->string()}) : nullptr;
}

WindowKind fileKind(int32_t kind, bool replaceable)
{
    return {
        .kind = kind,
        .icon = FileIcon,
        .acceptsParent = takesNoParent,
        .properties = FileProperties::show,
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
        // A table's first column may be anything.
        .xInSeconds = [](const marluneMDIChild&) { return false; },
        .icon = FileIcon,
        .acceptsParent = takesNoParent,
        .saveKeys = [](const marluneMDIChild& window, TIniHelper& ini, const std::string& section) {
            ini.writeInt(section, "XAxisFromFile", window.xAxisFromFile() ? 1 : -1);
        },
        .load = [](const WorkspaceSection& section, marluneChild* parent) -> marluneChild* {
            const auto path = sourceFile(section, parent);
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
