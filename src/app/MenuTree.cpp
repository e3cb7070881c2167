#include "app/MenuTree.h"

#include "tree/CommandIds.h"

namespace {
MenuItem cmd(std::string label, int id, std::string shortcut = {}, std::string hint = {})
{
    return {std::move(label), id, std::move(shortcut), std::move(hint), {}};
}

MenuItem hinted(std::string label, int id, std::string hint)
{
    return cmd(std::move(label), id, {}, std::move(hint));
}

MenuItem sub(std::string label, std::vector<MenuItem> children)
{
    return {std::move(label), 0, {}, {}, std::move(children)};
}

MenuItem separator()
{
    return {};
}

// File and Signal tools show the same tool list.
MenuItem customTools()
{
    return sub(MenuTree::ToolMenuLabel, {cmd("&From file...", Cmd::UseToolFromFile), separator()});
}

std::vector<TopMenu> buildMenus()
{
    using namespace Cmd;
    return {
        {"File", "file.html",
         {cmd("&Open signal...\tCtrl+O", OpenSignal, "Alt+F", "Opens this signal"),
          hinted("&Close", Close, "Close this signal"),
          sub("ASCII files",
              {cmd("Export signal...", ExportAscii), cmd("Import signal...", ImportAscii),
               hinted("Open picture...", OpenPicture, "Shows a bitmap or a binary matrix file as a 3D graphic"),
               hinted("Picture from clipboard", ClipboardPicture, "Shows the picture on the Clipboard as a 3D graphic"),
               cmd("Export 3D-graphics (XYZ triples)", Export3DTriples),
               cmd("Export 3D graphics (matrix)", Export3DMatrix)}),
          hinted("Replace signal with...", ReplaceSignal, "Replaces signal with other signal"),
          hinted("Save signal &As...", SaveSignalAs, "Saves this signal with a new name"),
          separator(),
          cmd("Save &Workspace...", SaveWorkspace),
          cmd("&Load Workspace...", LoadWorkspace),
          sub(MenuTree::RecentMenuLabel, {cmd("&Clear the list", ClearRecent)}),
          sub("Save window as custom tool",
              {cmd("&Window only...", SaveToolWindow), cmd("Window and its &subtree...", SaveToolSubtree)}),
          customTools(),
          separator(),
          cmd("E&xit\tAlt+F4", Exit, "Alt+F4", "Quits MARLUNE")}},
        {"Data &acquisition", "acquisition.html",
         {cmd("Sound card calibration...", Calibration),
          hinted("&Sound card data acquisition...", AcquisitionSettings, "Acquisition from your sound card"),
          separator(),
          hinted("START", Start, "Starts acquisition"),
          hinted("STOP", Stop, "Stops acquisition")}},
        {"&Edit", "edit.html",
         {cmd("Copy\tCtrl+C", Copy, "Ctrl+C", "Copies the selection and puts it on the Clipboard"),
          cmd("Cut\tCtrl+X", Cut, "Ctrl+X", "Cuts the selection and puts it on the Clipboard"),
          cmd("Paste\tCtrl+V", Paste, "Ctrl+V", "Inserts the clipboard contents at the insertion point"),
          hinted("Copy picture to clipboard", CopyPicture, "Copies bitmap of current window to Clipboard"),
          separator(),
          hinted("Zoom &In", ZoomIn, "Zoom selected part"),
          hinted("Zoom &Out", ZoomOut, "Show previous zoom"),
          cmd("Zoom first ^&2...\tCtrl+2", ZoomPow2, "Ctrl+2", "Zoom to power of 2"),
          separator(),
          cmd("&Extract selection\tCtrl+E", ExtractSelection, "Ctrl+E", "Extract selected part of the signal"),
          hinted("E&xtract from-to...", ExtractFromTo, "Extract part of the signal"),
          separator(),
          cmd("Axes settings...\tCtrl+A", AxesSettings, "Ctrl+A", "Sets range, labels ..."),
          hinted("&Step change...", StepChange, "Change step for moving trough signals"),
          hinted("Sample rate change...", SampleRateChange, "Change sample rate of the signal"),
          hinted("Ruler in \"sample\" units", RulerSampleUnits, "Units for signal status bar"),
          separator(),
          cmd("<< Signal beginning", SignalBeginning),
          cmd("Signal end >>", SignalEnd),
          separator(),
          cmd("Play signal (no sound)", PlayNoSound),
          cmd("Play signal (with sound)", PlayWithSound),
          hinted("Stop playing", Stop, "Stops acquisition"),
          separator(),
          cmd("Change window title...", ChangeTitle),
          cmd("Properties...\tCtrl+P", Properties, "Ctrl+P")}},
        {"Signal &tools", "signaltools.html",
         {hinted("Spectral analysis defaults ...", SpectralDefaults, "Tapering, smoothing, ..."),
          separator(),
          cmd("&FFT\tCtrl+F", FFT, "Ctrl+F", "Spectrum of visible part of the signal"),
          hinted("Filter...", Filter, "Bandstop, bandpass, lowpass, highpass  filters"),
          cmd("Smoothing...", Smoothing),
          cmd("Remove linear trend", RemoveTrend),
          cmd("Remove peaks...", RemovePeaks),
          cmd("Peak hold", PeakHold),
          cmd("Averager", Averager),
          separator(),
          cmd("&Time FFT...\tCtrl+T", TimeFFT, "Ctrl+T", "Perform Time FFT"),
          cmd("Spectrogram...", Spectrogram),
          hinted("3D signal log... ", SignalLog3D, "Log signal changes as 3D graphic"),
          separator(),
          customTools(),
          sub("Instruments and markers",
              {cmd("At... (with marker)", InstrumentAt), cmd("Mean", InstrumentMean),
               cmd("Sum", InstrumentSum), cmd("Standard deviation", InstrumentStdDev),
               hinted("RMS - normalized", InstrumentRmsNormalized, "RMS - relative to mean of the signal"),
               hinted("RMS", InstrumentRms, "RMS - relative to 0"),
               cmd("Maximum (with marker)", InstrumentMax), cmd("Minimum (with marker)", InstrumentMin),
               cmd("Maximum position (with marker)", InstrumentMaxPos),
               cmd("Minimum position (with marker)", InstrumentMinPos),
               cmd("Sum 3D over frequency range...", InstrumentSum3D)}),
          hinted("Log instrument values...", LogInstrument, "Log changes of instrument values"),
          separator(),
          hinted("Signal &generator...", Generator, "Generate standard wave signals"),
          cmd("Signal &calculator...", Calculator, "Ctrl+Q", "Perform various calculations with signals")}},
        {"&3D tools", "tools3d.html",
         {hinted("&Spectrogram view\tF3", SpectrogramView, "Show 3D graphic from above"),
          hinted("&Ruler\tTAB", Ruler3D, "Turn the rulers on"),
          hinted("&Mesh view\tF2", MeshView, "Show 3D with colored grid"),
          hinted("&Adjust Z-axis", AdjustZ, "Adjust Z-axis values"),
          hinted("Low frequencies at the &bottom", LowFrequenciesAtBottom,
                 "Draw the spectrogram with its frequency axis rising upwards"),
          separator(),
          hinted("&Time FFT statistics...", TimeFFTStatistics, "perform statistic on Time-FFT graphic"),
          hinted("Extract X-ruler", ExtractXRuler, "Show X-ruler as separate signal"),
          hinted("Extract Y-ruler", ExtractYRuler, "Show Y-ruler as separate signal"),
          separator(),
          hinted("Invert colors", InvertColors, "Invert colors of the 3D-graphic"),
          sub("Palette",
              {cmd("Gray", PaletteGray), cmd("HSV", PaletteHSV), cmd("Blue", PaletteBlue),
               cmd("Copper", PaletteCopper), cmd("Hot", PaletteHot), cmd("White", PaletteWhite)})}},
        {"S&ystem control", "system.html",
         {cmd("&Link window to parent", Link, "Alt+L", "Link window with his parent"),
          cmd("&Unlink window from parent", Unlink, "Alt+U", "Remove link"),
          separator(),
          hinted("Merge signals parallel", MergeParallel, "Overlay more signals into one window (parallel view)"),
          hinted("Merge signals together", MergeTogether, "Overlay more signals into one window"),
          separator(),
          cmd("Control &window\tCtrl+W", ControlWindow, "Ctrl+W", "Show main control window")}},
        {"&Window", "window.html",
         {cmd("&Cascade", Cascade), cmd("&Tile", Tile), cmd("Arrange &Icons", ArrangeIcons),
          cmd("C&lose All", CloseAll)}},
        {"&Help", "helpmenu.html",
         {hinted("&Contents...", HelpContents, "Help table of contents"),
          cmd("Examples...", Examples),
          cmd("Marlune online...", Online),
          separator(),
          hinted("&About...", About, "About the Marlune application")}},
    };
}

void collect(const std::vector<MenuItem>& items, std::vector<const MenuItem*>& out)
{
    for (const MenuItem& item : items) {
        if (item.isSubmenu())
            collect(item.children, out);
        else if (!item.isSeparator())
            out.push_back(&item);
    }
}

bool holds(const std::vector<MenuItem>& items, int id)
{
    std::vector<const MenuItem*> all;
    collect(items, all);
    for (const MenuItem* item : all)
        if (item->id == id)
            return true;
    return false;
}
}  // namespace

namespace MenuTree {
const std::vector<TopMenu>& menus()
{
    static const std::vector<TopMenu> tree = buildMenus();
    return tree;
}

const std::vector<Accelerator>& extraAccelerators()
{
    static const std::vector<Accelerator> keys{
        {Cmd::StepUp, "Alt+Up"},   {Cmd::StepDown, "Alt+Down"},     {Cmd::FillMean, "Ctrl+M"},
        {Cmd::FillZero, "Ctrl+0"}, {Cmd::OverlayZ, "Ctrl+Z"},       {Cmd::OverlayS, "Ctrl+S"},
        {Cmd::Undo, "Alt+Backspace"}, {Cmd::Clear, "Ctrl+Del"}, {Cmd::OpenSignal, "Ctrl+O"},
    };
    return keys;
}

std::vector<const MenuItem*> commandItems()
{
    std::vector<const MenuItem*> all;
    for (const TopMenu& menu : menus())
        collect(menu.items, all);
    return all;
}

const MenuItem* find(int id)
{
    for (const MenuItem* item : commandItems())
        if (item->id == id)
            return item;
    return nullptr;
}

std::string helpPageOf(int id)
{
    for (const TopMenu& menu : menus())
        if (holds(menu.items, id))
            return menu.helpPage;
    for (const Accelerator& key : extraAccelerators())
        if (key.id == id)
            return KeysHelpPage;
    return {};
}
}  // namespace MenuTree
