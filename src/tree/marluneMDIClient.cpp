#include "tree/marluneMDIClient.h"

#include <algorithm>
#include <new>

#include "base/NoMoreMemory.h"
#include "base/UiServices.h"
#include "fileio/PictureMatrix.h"
#include "settings/FFTDefaultsForm.h"
#include "tree/AsciiImport.h"
#include "tree/CalcWindows.h"
#include "tree/ClientListener.h"
#include "tree/CommandIds.h"
#include "tree/GeneratorCommand.h"
#include "tree/RecentFiles.h"
#include "tree/SignalOpener.h"
#include "tree/TreeKinds.h"
#include "tree/WorkspaceCommands.h"
#include "tree/marlune3DChild.h"
#include "tree/marluneChild.h"
#include "tree/marluneMDIChild.h"

marluneMDIClient::marluneMDIClient(UiServices& ui, ProgramPaths paths, std::optional<DefaultsFile> defaultsFile)
    : ui_(ui), paths_(std::move(paths)), programFolder_((paths_.programFolder() / "").string()),
      defaultsFile_(std::move(defaultsFile)), workspaces_(std::make_unique<WorkspaceCommands>(*this)),
      recent_(std::make_unique<RecentFiles>(*this))
{
    addTreeKinds(kinds_);
    addCommands(*workspaces_);
    addCommands(*recent_);
    if (defaultsFile_) {
        spectralSettings = defaultsFile_->readSpectral();
        defaultsFile_->readSections();
    }
}

marluneMDIClient::marluneMDIClient(UiServices& ui, const std::string& programFolder,
                                   std::optional<DefaultsFile> defaultsFile)
    : marluneMDIClient(ui, ProgramPaths(programFolder), std::move(defaultsFile))
{
}

marluneMDIClient::~marluneMDIClient()
{
    closeAll();
    removeCommands(*recent_);
    removeCommands(*workspaces_);
    saveDefaults();
}

bool marluneMDIClient::saveDefaults() const
{
    if (!defaultsFile_ || defaultsFile_->write(spectralSettings))
        return true;
    // The old file stays as it was; the person learns that this session's settings are not kept.
    ui_.messageBox("Could not write " + defaultsFile_->writeTo().string() + ". The settings of this session are not kept.",
                   "Marlune", MessageButtons::Ok, MessageIcon::Error);
    return false;
}

void marluneMDIClient::loadPalettes()
{
    for (std::size_t i = 0; i < palettes_.size(); ++i) {
        if (auto read = Palette::read(programFolder_ + std::string(Palette::FileNames[i])))
            palettes_[i] = *read;
        else
            ui_.messageBox("Error opening palette file.", "Error");
    }
}

marluneChild* marluneMDIClient::window(int index) const
{
    return index >= 0 && index < MaxWindows ? table_[index].get() : nullptr;
}

bool marluneMDIClient::isRegistered(const marluneChild* window) const
{
    if (!window)
        return false;
    return std::any_of(table_.begin(), table_.begin() + (highestIndex_ + 1),
                       [window](const auto& slot) { return slot.get() == window; });
}

std::vector<marluneChild*> marluneMDIClient::windows() const
{
    std::vector<marluneChild*> result;
    for (int i = 0; i <= highestIndex_; ++i)
        if (table_[i])
            result.push_back(table_[i].get());
    return result;
}

bool marluneMDIClient::isFull() const
{
    return std::find(table_.begin(), table_.end(), nullptr) == table_.end();
}

marluneChild* marluneMDIClient::addWindow(std::unique_ptr<marluneChild> window)
{
    const auto free = std::find(table_.begin(), table_.end(), nullptr);
    if (free == table_.end()) {
        // The table is full: refuse instead of overwriting a slot that is in use.
        window->detachFromTree();
        ++refusedWindows_;
        ui_.messageBox(TooManyWindows);
        return nullptr;
    }
    const int index = int(free - table_.begin());
    window->setIndex(index);
    highestIndex_ = std::max(highestIndex_, index);
    *free = std::move(window);
    for (ClientListener* listener : std::vector(listeners_))
        listener->childCreated(*table_[index]);
    treeChanged();
    return table_[index].get();
}

void marluneMDIClient::closeWindow(marluneChild* window)
{
    if (!isRegistered(window))
        return;
    std::unique_ptr<marluneChild> owned = std::move(table_[window->index()]);
    const bool wasActive = active_ == window;
    if (wasActive)
        active_ = nullptr;
    owned->detachFromTree();
    owned->announce({ChildChange::Closing});
    owned.reset();
    treeChanged();
    if (wasActive)
        activeChanged();
}

void marluneMDIClient::closeAll()
{
    for (int i = highestIndex_; i >= 0; --i)
        if (table_[i])
            closeWindow(table_[i].get());
}

marluneChild* marluneMDIClient::activeChild() const
{
    return isRegistered(active_) ? active_ : nullptr;
}

void marluneMDIClient::subscribe(ClientListener& listener)
{
    if (std::find(listeners_.begin(), listeners_.end(), &listener) == listeners_.end())
        listeners_.push_back(&listener);
}

void marluneMDIClient::unsubscribe(ClientListener& listener)
{
    std::erase(listeners_, &listener);
}

void marluneMDIClient::setActiveChild(marluneChild* child)
{
    if (child == active_)
        return;
    active_ = child;
    activeChanged();
}

void marluneMDIClient::activeChanged() const
{
    for (ClientListener* listener : std::vector(listeners_))
        listener->activeChanged();
}

void marluneMDIClient::openControlWindow(const WindowPlacement& placement) const
{
    for (ClientListener* listener : std::vector(listeners_))
        listener->controlWindowRequested(placement);
}

void marluneMDIClient::toolsChanged() const
{
    for (ClientListener* listener : std::vector(listeners_))
        listener->toolsChanged();
}

void marluneMDIClient::treeChanged() const
{
    for (ClientListener* listener : std::vector(listeners_))
        listener->treeChanged();
}

marluneMDIChild* marluneMDIClient::openFiles(const std::vector<std::string>& names, const std::string& displayName)
{
    return SignalOpener(*this).open(names, displayName);
}

void marluneMDIClient::openSignalCommand()
{
    const auto names = ui_.openFileDialog(SignalOpener::openFilter(), true);
    if (names.empty())
        return;
    openFiles(names);
    for (const std::string& name : names)
        recent_->add(name);
}

void marluneMDIClient::openPictureCommand()
{
    const auto names =
        ui_.openFileDialog("Pictures (*.bmp)|*.bmp|Binary matrices (*.*)|*.*|", false);
    if (names.empty())
        return;
    marlune3DChild::openPicture(*this, names.front());
}

void marluneMDIClient::spectralDefaultsCommand()
{
    FFTDefaultsForm form(ui_, spectralSettings, FFTDefaultsForm::Context::Defaults);
    if (ui_.runDialog(form))
        spectralSettings = form.result();
}

void marluneMDIClient::addCommands(CommandTarget& target)
{
    commands_.push_back(&target);
}

void marluneMDIClient::removeCommands(CommandTarget& target)
{
    std::erase(commands_, &target);
}

void marluneMDIClient::addSignalWindowCommands(SignalWindowCommands& commands)
{
    signalWindowCommands_.push_back(&commands);
}

void marluneMDIClient::removeSignalWindowCommands(SignalWindowCommands& commands)
{
    std::erase(signalWindowCommands_, &commands);
}

bool marluneMDIClient::dispatch(int id)
{
    // The last place a command's failed allocation can be caught before it would end the program.
    try {
        if (marluneChild* child = activeChild(); child && child->command(id))
            return true;
        return command(id);
    } catch (const std::bad_alloc&) {
        showNoMoreMemory(ui_);
        return true;
    }
}

std::optional<CommandState> marluneMDIClient::dispatchState(int id) const
{
    if (const marluneChild* child = activeChild())
        if (auto state = child->commandState(id))
            return state;
    return commandState(id);
}

bool marluneMDIClient::hasSignalWindow() const
{
    for (int i = 0; i <= highestIndex_; ++i)
        if (signalWindowOf(table_[std::size_t(i)].get()))
            return true;
    return false;
}

const CommandRow<marluneMDIClient> marluneMDIClient::Rows[] = {
    {Cmd::OpenSignal, nullptr, [](marluneMDIClient& client) { client.openSignalCommand(); }},
    {Cmd::SpectralDefaults, nullptr, [](marluneMDIClient& client) { client.spectralDefaultsCommand(); }},
    {Cmd::ImportAscii, nullptr, [](marluneMDIClient& client) { AsciiImport(client).command(); }},
    {Cmd::OpenPicture, nullptr, [](marluneMDIClient& client) { client.openPictureCommand(); }},
    {Cmd::Generator, nullptr, [](marluneMDIClient& client) { GeneratorCommand::run(client); }},
    {Cmd::Calculator, [](const marluneMDIClient& client) { return std::optional(CommandState{client.hasSignalWindow()}); },
     [](marluneMDIClient& client) { CalcWindows::command(client); }},
    {Cmd::ClipboardPicture,
     [](const marluneMDIClient& client) { return std::optional(CommandState{client.ui_.hasClipboardPicture()}); },
     [](marluneMDIClient& client) {
         if (const auto picture = client.ui_.clipboardPicture())
             marlune3DChild::createPicture(client, PictureMatrix::fromPixels(picture->width, picture->height,
                                                                             picture->rgb.data()),
                                           "Clipboard picture");
     }},
};

const CommandTable<marluneMDIClient> marluneMDIClient::Table{"client", Rows};

std::optional<CommandState> marluneMDIClient::commandState(int id) const
{
    if (auto state = Table.state(*this, id))
        return state;
    for (const CommandTarget* target : commands_)
        if (auto state = target->commandState(id))
            return state;
    return std::nullopt;
}

bool marluneMDIClient::command(int id)
{
    if (Table.run(*this, id))
        return true;
    for (CommandTarget* target : std::vector(commands_))
        if (target->command(id))
            return true;
    return false;
}
