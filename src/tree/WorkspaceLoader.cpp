#include "tree/WorkspaceLoader.h"

#include <cstdio>
#include <optional>
#include <utility>

#include "base/FormatText.h"
#include "base/UiServices.h"
#include "fileio/InputFile.h"
#include "settings/SpectralSettingsIni.h"
#include "signal/SignalKind.h"
#include "tree/DerivedWindows.h"
#include "tree/SignalOpener.h"
#include "tree/SignalWindowKeys.h"
#include "tree/WorkspaceWriter.h"
#include "tree/marluneMDIChild.h"
#include "tree/marluneMDIClient.h"

namespace {
// The name and extension of a stored file, whichever separator the writing system used.
std::string baseName(const std::string& stored)
{
    const std::size_t slash = stored.find_last_of("/\\");
    return slash == std::string::npos ? stored : stored.substr(slash + 1);
}

bool readable(const std::filesystem::path& path)
{
    std::error_code error;
    return std::filesystem::is_regular_file(path, error) && InputFile::open(path).has_value();
}

// A window kind of the tool's class, and the message that refuses any other target.
struct ToolClass {
    SignalKind::Family family;
    const char* refusal;
};

std::optional<ToolClass> toolClassOf(int32_t appliedTo)
{
    static const std::pair<SignalKind::Family, const char*> Refusals[] = {
        {SignalKind::Family::Instrument, "This tool can be applied only to instruments."},
        {SignalKind::Family::Signal, "This tool can be applied only to signals."},
        {SignalKind::Family::ThreeD, "This tool can be applied only to 3D graphics."}};
    for (const auto& [family, refusal] : Refusals)
        if (SignalKind::familyOf(appliedTo) == family)
            return ToolClass{family, refusal};
    return std::nullopt;
}

std::vector<std::string> numberedKeys(const TIniHelper& ini, const std::string& section, const std::string& prefix)
{
    std::vector<std::string> values;
    for (int i = 1;; ++i) {
        std::string value = ini.readText(section, prefix + std::to_string(i));
        if (value.empty())
            return values;
        values.push_back(std::move(value));
    }
}
}  // namespace

WorkspaceLoader::WorkspaceLoader(marluneMDIClient& client, const std::string& fileName,
                                 std::vector<std::string> arguments)
    : client_(client), ini_(fileName), folder_(std::filesystem::path(fileName).parent_path()),
      arguments_(std::move(arguments)), refusedAtStart_(client.refusedWindows())
{
}

void WorkspaceLoader::runPasses(const std::vector<std::string>& roots, marluneChild* parent)
{
    // A workspace that loads completely takes one pass; later passes retry what waited for a parent.
    int previous = 0;
    for (bool first = true;; first = false) {
        failures_ = 0;
        walked_.clear();
        for (const std::string& root : roots)
            loadSection(root, parent);
        if (!first && failures_ == previous)
            return;
        if (first && failures_ == 0)
            return;
        previous = failures_;
    }
}

void WorkspaceLoader::loadWorkspace()
{
    const char* control = WorkspaceWriter::ControlSection;
    if (ini_.readInt(control, "Visible") != 0)
        client_.openControlWindow({ini_.readLong(control, "Window_Left"), ini_.readLong(control, "Window_Top"),
                                   ini_.readLong(control, "Window_Right"), ini_.readLong(control, "Window_Bottom")});
    runPasses(numberedKeys(ini_, WorkspaceWriter::RootSection, "Root_"), nullptr);
    const std::string active = ini_.readText(WorkspaceWriter::RootSection, "ActiveWindow");
    if (const auto found = loaded_.find(active); found != loaded_.end() && client_.isRegistered(found->second))
        client_.setActiveChild(found->second);
    // Written by hand for the examples and often longer than the helper's 255 characters.
    const std::string message = ini_.readWholeText(WorkspaceWriter::RootSection, "Message");
    if (message.size() > 1)
        client_.ui().messageBox(message, MessageCaption, MessageButtons::Ok, MessageIcon::Information);
}

void WorkspaceLoader::applyTool(marluneChild* target)
{
    if (target) {
        const int32_t appliedTo = ini_.readInt(WorkspaceWriter::RootSection, "AppliedTo");
        if (const auto toolClass = toolClassOf(appliedTo); toolClass && SignalKind::familyOf(target->kind()) != toolClass->family) {
            client_.ui().messageBox(toolClass->refusal, "Marlune");
            return;
        }
    }
    placeWindows_ = false;
    const std::string section = ini_.readText(WorkspaceWriter::RootSection, "Section");
    if (!section.empty())
        runPasses({section}, target);
}

void WorkspaceLoader::loadSection(const std::string& name, marluneChild* parent)
{
    // A window's children are walked once a pass: `Child_` keys that lead back to a window on the way
    // (a cycle, or a window its own child) end there instead of recursing for ever.
    if (walked_.contains(name))
        return;
    auto found = loaded_.find(name);
    if (found == loaded_.end()) {
        if (refused_.contains(name)) {
            ++failures_;
            return;
        }
        if (client_.isFull()) {
            refuseForFullTable(name);
            return;
        }
        for (const std::string& needed : numberedKeys(ini_, name, "Parent_"))
            if (!loaded_.contains(needed)) {
                ++failures_;
                return;
            }
        marluneChild* window = makeWindow(name, parent);
        if (!window) {
            refused_.insert(name);
            ++failures_;
            return;
        }
        ++made_;
        found = loaded_.emplace(name, window).first;
        applyKeys(*window, name);
        loadChannels(*window, name);
    }
    marluneChild* window = found->second;
    walked_.insert(name);
    for (const std::string& child : numberedKeys(ini_, name, "Child_"))
        loadSection(child, window);
}

void WorkspaceLoader::refuseForFullTable(const std::string& name)
{
    // Said once for the whole file, and not at all when the table already refused a window of it.
    if (!toldFull_ && client_.refusedWindows() == refusedAtStart_)
        client_.ui().messageBox(marluneMDIClient::TooManyWindows);
    toldFull_ = true;
    refused_.insert(name);
    ++failures_;
}

void WorkspaceLoader::loadChannels(marluneChild& window, const std::string& name)
{
    for (int channel = 1;; ++channel) {
        const std::string section = ini_.readText(name, "Channel_" + std::to_string(channel));
        if (section.empty())
            return;
        for (marluneChild* candidate : client_.windows()) {
            marluneMDIChild* signalWindow = signalWindowOf(candidate);
            if (!signalWindow || signalWindow->mainSignal() != &window || signalWindow->channelNumber() != channel)
                continue;
            if (loaded_.emplace(section, signalWindow).second)
                applyKeys(*signalWindow, section);
            loadSection(section, &window);
            break;
        }
    }
}

marluneChild* WorkspaceLoader::makeWindow(const std::string& name, marluneChild* parent)
{
    const int32_t kind = ini_.readInt(name, "Type");
    const WindowKind* entry = client_.kinds().find(kind);
    const SpectralSettings spectral = entry && entry->spectral ? readSpectralSettings(ini_, name) : client_.spectralSettings;
    if (entry && entry->load) {
        const WorkspaceSection section{
            client_, ini_, name,
            [this](const std::string& other) -> marluneChild* {
                const auto found = loaded_.find(other);
                return found == loaded_.end() ? nullptr : found->second;
            },
            [this](const std::string& stored) { return locateReported(stored); }, spectral};
        return entry->load(section, parent);
    }
    if (!parent || !entry)
        return nullptr;
    const PendingParameters parameters = entry->readParameters ? entry->readParameters(ini_, name) : PendingParameters{};
    return DerivedWindows::createChild(client_, *parent, kind, parameters, &spectral);
}

std::optional<std::filesystem::path> WorkspaceLoader::locate(const std::string& stored)
{
    std::string name = stored;
    // "#n" names the n-th item of the command line the program was started with.
    int n = 0;
    if (char rest = 0; std::sscanf(stored.c_str(), "#%d%c", &n, &rest) == 1 && n >= 1 &&
                       std::size_t(n) < arguments_.size())
        name = arguments_[std::size_t(n)];
    const std::filesystem::path path(name);
    if (path.is_absolute() && readable(path))
        return path;
    // A workspace from another place or system: its files are looked for beside it.
    if (path.is_relative() && readable(folder_ / path))
        return folder_ / path;
    if (const std::filesystem::path beside = folder_ / baseName(name); readable(beside))
        return beside;
    const std::vector<std::string> chosen = client_.ui().openFileDialog(SignalOpener::openFilter(), false);
    if (chosen.empty())
        return std::nullopt;
    return std::filesystem::path(chosen.front());
}

std::optional<std::filesystem::path> WorkspaceLoader::locateReported(const std::string& stored)
{
    const std::optional<std::filesystem::path> path = locate(stored);
    if (path && readable(*path))
        return path;
    const std::string shown = path ? path->string() : stored;
    client_.ui().messageBox(formatText(MissingFile, shown.c_str()));
    missing_.push_back(stored);
    return std::nullopt;
}

void WorkspaceLoader::applyKeys(marluneChild& window, const std::string& name)
{
    if (ini_.readInt(name, "Visible") == 0)
        window.setVisible(false);
    if (placeWindows_) {
        const WindowPlacement placement{ini_.readLong(name, "Window_Left"), ini_.readLong(name, "Window_Top"),
                                        ini_.readLong(name, "Window_Right"), ini_.readLong(name, "Window_Bottom")};
        if (placement.right > placement.left && placement.bottom > placement.top)
            window.place(placement);
    }
    const bool linked = ini_.readInt(name, "Linked") != 0;
    if (linked != window.linked() && !window.isRoot()) {
        if (linked)
            window.link();
        else
            window.unlink();
    }
    if (marluneMDIChild* signalWindow = signalWindowOf(&window))
        SignalWindowKeys::apply(*signalWindow, ini_, name);
    else
        window.loadKindKeys(ini_, name);
    if (const std::string title = ini_.readText(name, "WindowTitle"); title.size() >= 2)
        window.changeTitle(title);
    window.repaint();
}
