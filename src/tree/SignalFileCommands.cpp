#include "tree/SignalFileCommands.h"

#include <algorithm>

#include "base/FormatText.h"
#include "base/UiServices.h"
#include "fileio/AsciiExport.h"
#include "fileio/BinFile.h"
#include "fileio/FileNameRules.h"
#include "fileio/SignalFileWriter.h"
#include "tree/CommandIds.h"
#include "tree/SignalOpener.h"
#include "tree/marluneMDIChild.h"
#include "tree/marluneMDIClient.h"

namespace {
// A write goes to a temporary file first, so a failure leaves the old file as it was.
void reportUnwritten(UiServices& ui, const std::string& name)
{
    ui.messageBox(formatText("The signal could not be written to %s.", name.c_str()));
}

// Only windows read from one file hold samples another file of the same shape can replace.
bool replaceable(const marluneMDIChild& window)
{
    const WindowKind* entry = window.kindEntry();
    return entry && entry->replaceable;
}
}  // namespace

const CommandRow<marluneMDIChild> SignalFileCommands::Rows[] = {
    {Cmd::SaveSignal, nullptr, [](marluneMDIChild& window) { SignalFileCommands(window).save(); }},
    {Cmd::SaveSignalAs, nullptr, [](marluneMDIChild& window) { SignalFileCommands(window).saveAs(); }},
    {Cmd::ExportAscii, nullptr, [](marluneMDIChild& window) { SignalFileCommands(window).exportAscii(); }},
    {Cmd::ReplaceSignal, [](const marluneMDIChild& window) { return std::optional(CommandState{replaceable(window)}); },
     [](marluneMDIChild& window) {
         if (replaceable(window))
             SignalFileCommands(window).replaceSignal();
     }},
};

const CommandTable<marluneMDIChild> SignalFileCommands::Table{"signal window: files", Rows};

void SignalFileCommands::save()
{
    if (saveFormatFor(window_.fileName()) != SaveFormat::Bin) {
        saveAs();
        return;
    }
    UiServices& ui = window_.client().ui();
    WaitCursor wait(ui);
    if (!writeBinFile(window_.fileName(), *window_.signal()))
        reportUnwritten(ui, window_.fileName());
}

void SignalFileCommands::saveAs()
{
    const SaveAsDialogChoice choice = saveAsDialogChoice(window_.signal()->sampleRate());
    const auto name = window_.client().ui().saveFileDialog(choice.filter, choice.defaultExtension);
    if (!name)
        return;
    UiServices& ui = window_.client().ui();
    WaitCursor wait(ui);
    if (writeSignalFile(*name, *window_.signal()))
        window_.setFileName(*name);
    else if (saveFormatFor(*name) != SaveFormat::None)
        reportUnwritten(ui, *name);
}

void SignalFileCommands::exportAscii()
{
    UiServices& ui = window_.client().ui();
    if (const auto name = ui.saveFileDialog("All files(*.*)|*.*", "")) {
        WaitCursor wait(ui);
        if (!::exportAscii(*name, *window_.signal()))
            reportUnwritten(ui, *name);
    }
}

void SignalFileCommands::replaceSignal()
{
    marluneMDIClient& client = window_.client();
    const auto names = client.ui().openFileDialog(SignalOpener::openFilter(), false);
    if (names.empty())
        return;
    marluneMDIChild* other = client.openFiles({names.front()});
    if (!other)
        return;
    const Signal& source = *other->signal();
    Signal& own = *window_.signal();
    if (source.sampleRate() != 0 && source.sampleRate() == own.sampleRate() && source.count() == own.count()) {
        std::copy_n(source.samples(), source.count(), own.samples());
        own.updateYRange();
        window_.setFileName(names.front());
        window_.setFileFacts(other->fileFacts());
        window_.changeTitle(formatText("%u#%s-%d", unsigned(window_.index() + 1), names.front().c_str(),
                                       window_.channelNumber() + 1));
        window_.updateAfterChange();
        window_.refreshStatusBar();
    } else {
        client.ui().messageBox("Both signals must have identical sample rate and length!");
    }
    client.closeWindow(other);
}
