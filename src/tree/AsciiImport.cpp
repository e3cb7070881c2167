#include "tree/AsciiImport.h"

#include <algorithm>

#include "base/FormatText.h"
#include "base/UiServices.h"
#include "fileio/AsciiTable.h"
#include "fileio/AsciiTableReader.h"
#include "fileio/SampleRateForm.h"
#include "tree/SignalOpener.h"
#include "tree/marluneMDIChild.h"
#include "tree/marluneMDIClient.h"

void AsciiImport::command()
{
    const auto names = client_.ui().openFileDialog(FileFilter, false);
    if (!names.empty())
        import(names.front());
}

marluneMDIChild* AsciiImport::import(const std::filesystem::path& path)
{
    const auto head = readAsciiTableHead(path);
    if (!head)
        return nullptr;
    UiServices& ui = client_.ui();

    bool xAxis = false;
    long double rate = 0;
    if (head->columns >= 2)
        if (const auto found = AsciiTable::uniformRate(head->firstColumn)) {
            const std::string question = formatText(
                "Do you want to use first column as X-Axis values (Sample rate = %.6g)?", double(*found));
            xAxis = ui.messageBox(question, "ASCII import", MessageButtons::YesNo, MessageIcon::Question) ==
                    MessageResult::Yes;
            rate = *found;
        }
    if (!xAxis) {
        SampleRateForm form;
        if (!ui.runDialog(form))
            return nullptr;
        rate = form.rate;
    }

    return importWith(path, rate, xAxis);
}

marluneMDIChild* AsciiImport::importWith(const std::filesystem::path& path, long double rate, bool xAxis)
{
    const auto head = readAsciiTableHead(path);
    if (!head)
        return nullptr;
    UiServices& ui = client_.ui();
    // The first column is the X axis only where it is one.
    xAxis = xAxis && head->columns >= 2 && AsciiTable::uniformRate(head->firstColumn).has_value();
    const int firstColumn = xAxis ? 1 : 0;
    // Columns beyond the free slots of the registry would be read only to be dropped: a first line of a
    // million values took half a gigabyte so. One is read even without a free slot, so that the registry
    // says why no window comes.
    const int freeSlots = marluneMDIClient::MaxWindows - int(client_.windows().size());
    const int lastColumn = std::min(head->columns, firstColumn + std::max(freeSlots, 1));
    FileReadResult result = [&] {
        WaitCursor wait(ui);
        return readAsciiColumns(path, firstColumn, lastColumn, rate, xAxis ? head->firstColumn.front() : 0);
    }();
    marluneMDIChild* first =
        SignalOpener(client_).windowsFor(std::move(result), path.string(), " %u#%s(%i)", firstColumn);
    for (marluneChild* window : client_.windows())
        if (marluneMDIChild* column = signalWindowOf(window);
            column && first && (column == first || column->mainSignal() == first))
            column->setXAxisFromFile(xAxis);
    return first;
}
