#include "tree/marlune3DChild.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "base/FormatText.h"
#include "base/NoMoreMemory.h"
#include "base/UiServices.h"
#include "dsp/SpectrumOutput.h"
#include "settings/BoundKeys.h"
#include "settings/FFTDefaultsForm.h"
#include "settings/SpectralSettingsIni.h"
#include "settings/TIniHelper.h"
#include "signal/SignalKind.h"
#include "tree/CommandIds.h"
#include "tree/DerivedWindows.h"
#include "tree/marluneMDIChild.h"
#include "tree/marluneMDIClient.h"
#include "views/Export3D.h"
#include "views/PictureScale.h"
#include "views/TimeFFTStatForm.h"
#include "views/ZAxisForm.h"

namespace {
// The mesh view a window made by the Spectrogram command goes to: the Time FFT dialog's defaults.
constexpr int32_t DefaultAzimuth = 15;
constexpr int32_t DefaultElevation = 3;

int paletteOf(int id)
{
    const std::span<const int> commands = marlune3DChild::paletteCommands();
    const auto found = std::find(commands.begin(), commands.end(), id);
    return found == commands.end() ? -1 : int(found - commands.begin());
}

marlune3DChild* registered(marluneMDIClient& client, std::unique_ptr<marlune3DChild> window, FFTSignal::Result result)
{
    if (result == FFTSignal::Result::NoMemory || result == FFTSignal::Result::Cancelled) {
        // Never made: the parent must not keep it among its children.
        window->detachFromTree();
        if (result == FFTSignal::Result::NoMemory)
            showNoMoreMemory(client.ui());
        return nullptr;
    }
    window->setInvalid(result == FFTSignal::Result::Invalid);
    return client.addWindow(std::move(window));
}
}  // namespace

marlune3DChild::marlune3DChild(marluneMDIClient& client, int32_t kind) : marluneChild(client, kind) {}

marlune3DChild::~marlune3DChild() = default;

marlune3DChild* marlune3DChild::createTimeFFT(marluneMDIClient& client, marluneMDIChild& parent,
                                              const TimeFFTParameters& parameters, const SpectralSettings* spectral)
{
    const unsigned number = client.nextCreationNumber();
    auto window = std::make_unique<marlune3DChild>(client, SignalKind::TimeFFT);
    window->spectral = spectral ? *spectral : client.spectralSettings;
    WaitCursor wait(client.ui());
    const FFTSignal::Result result = window->data_.createTimeFFT(*parent.signal(), parameters, window->spectral,
                                                                 window->tap_, client.ui().startProgress().get());
    window->setCaption(formatText(" %u#Time-FFT: %s", number, parent.title().c_str()));
    window->display.xLabel = "sec";
    window->display.yLabel = "Hz";
    window->display.zLabel = spectrumUnit(window->spectral.show);
    // A Time FFT starts as a snapshot of its parent until it is linked.
    window->attachToParents({&parent});
    window->setLinked(false);
    return registered(client, std::move(window), result);
}

marlune3DChild* marlune3DChild::createLog(marluneMDIClient& client, marluneMDIChild& parent, uint32_t length)
{
    const unsigned number = client.nextCreationNumber();
    auto window = std::make_unique<marlune3DChild>(client, SignalKind::SignalLog3D);
    const FFTSignal::Result result = window->data_.createLog(*parent.signal(), length);
    window->data_.fillSegments = false;
    window->setCaption(formatText(" %u#Log: %s", number, parent.title().c_str()));
    window->display.xLabel = "sample";
    window->display.yLabel = parent.xLabel();
    window->display.zLabel = parent.yLabel();
    window->attachToParents({&parent});
    return registered(client, std::move(window), result);
}

marlune3DChild* marlune3DChild::createPicture(marluneMDIClient& client, const PictureMatrix& picture,
                                              const std::string& name)
{
    const unsigned number = client.nextCreationNumber();
    auto window = std::make_unique<marlune3DChild>(client, SignalKind::Picture);
    const FFTSignal::Result result = window->data_.createPicture(picture);
    window->setCaption(formatText(" %u#%s", number, name.c_str()));
    window->display.xLabel = "X";
    window->display.yLabel = "Y";
    return registered(client, std::move(window), result);
}

marlune3DChild* marlune3DChild::openPicture(marluneMDIClient& client, const std::filesystem::path& file)
{
    const std::optional<PictureMatrix> picture = [&] {
        WaitCursor wait(client.ui());
        return PictureMatrix::read(file);
    }();
    if (!picture) {
        client.ui().beep();
        return nullptr;
    }
    marlune3DChild* window = createPicture(client, *picture, file.filename().string());
    if (window)
        window->setFileName(file.string());
    return window;
}

marluneMDIChild* marlune3DChild::signalParent() const
{
    return signalWindowOf(parent());
}

bool marlune3DChild::recomputeFromParents()
{
    const marluneMDIChild* source = signalParent();
    if (!source)
        return false;
    if (kind() == SignalKind::SignalLog3D)
        return data_.appendLog(*source->signal());
    switch (data_.followParent(*source->signal(), spectral, tap_, client().ui().startProgress().get())) {
    case FFTSignal::Result::Done:
        setInvalid(false);
        return true;
    case FFTSignal::Result::NoMemory:
        showNoMoreMemory(client().ui());
        break;
    case FFTSignal::Result::Invalid:
    case FFTSignal::Result::Waiting:
    case FFTSignal::Result::Cancelled:
        break;
    }
    setInvalid(true);
    repaint();
    return false;
}

void marlune3DChild::afterRecompute()
{
    if (data_.shiftDirection != 0)
        scrolled(data_.shiftDirection);
    repaint();
    if (client().activeChild() == this)
        refreshStatusBar();
}

void marlune3DChild::linkChanged(bool linked)
{
    marluneMDIChild* source = signalParent();
    if (kind() != SignalKind::TimeFFT || !source)
        return;
    // Stepping the parent by the hop moves the Time FFT by exactly one segment.
    if (linked && !parentStep_ && data_.hop() >= 1) {
        parentStep_ = source->step();
        source->setStep(uint32_t(data_.hop()));
    } else if (!linked && parentStep_) {
        source->setStep(*parentStep_);
        parentStep_.reset();
    }
}

void marlune3DChild::refreshStatusBar() const
{
    showReadout(data_.level().rulerRow, data_.level().rulerBin);
}

void marlune3DChild::showReadout(int32_t r, int32_t j) const
{
    const ViewLevel& level = data_.level();
    if (invalid() || r < level.firstRow || r > level.lastRow || j < level.firstBin || j > level.lastBin)
        return;
    UiServices& ui = client().ui();
    ui.setStatusText(StatusField::X3D, formatText("%.5G", data_.rowX(r)));
    ui.setStatusText(StatusField::Y3D, formatText("%.5G", data_.binY(j)));
    ui.setStatusText(StatusField::Value3D, formatText("%.5G", double(data_.value(uint32_t(r), uint32_t(j)))));
}

void marlune3DChild::placeRuler(int32_t r, int32_t j)
{
    ViewLevel& level = data_.level();
    if (invalid() || r < level.firstRow || r > level.lastRow || j < level.firstBin || j > level.lastBin)
        return;
    data_.rulerOn = true;
    level.rulerRow = r;
    level.rulerBin = j;
    recomputeChildren();
    viewChanged(false);
    showReadout(r, j);
}

void marlune3DChild::showStatusBar() const
{
    client().ui().show3DStatusBar(true);
    refreshStatusBar();
}

void marlune3DChild::viewChanged(bool dataChanged)
{
    // The record's zooms and moves have brought the Z range up to date already.
    if (dataChanged)
        recomputeChildren();
    repaint();
    if (client().activeChild() == this)
        refreshStatusBar();
}

void marlune3DChild::tabKey()
{
    data_.rulerOn = !data_.rulerOn;
    anchor_.reset();
    viewChanged(false);
}

void marlune3DChild::f2Key()
{
    data_.fillSegments = !data_.fillSegments;
    viewChanged(false);
}

void marlune3DChild::deleteKey()
{
    if (data_.zoomOut())
        viewChanged(true);
}

void marlune3DChild::enterKey()
{
    if (!data_.rulerOn)
        return;
    const bool zoomed = anchor_ ? data_.zoomToRectangle(anchor_->first, anchor_->second) : data_.zoomAboutRuler();
    anchor_.reset();
    if (zoomed)
        viewChanged(true);
}

void marlune3DChild::arrowKey(Arrow arrow, bool shiftHeld)
{
    const int step = arrow == Arrow::Left || arrow == Arrow::Up ? -1 : 1;
    const bool alongRows = arrow == Arrow::Left || arrow == Arrow::Right;
    if (data_.rulerOn) {
        // The first arrow with Shift held anchors a rectangle at the ruler; Enter zooms to it.
        if (shiftHeld && (!anchor_ || shiftReleased_))
            anchor_ = std::pair{data_.level().rulerRow, data_.level().rulerBin};
        shiftReleased_ = !shiftHeld;
        if (alongRows)
            data_.moveRulerRow(step);
        else
            data_.moveRulerBin(step);
        // The ruler signals below follow the ruler.
        recomputeChildren();
        viewChanged(false);
        return;
    }
    if (shiftHeld) {
        if (alongRows ? data_.moveRows(step) : data_.moveBins(step))
            viewChanged(true);
        return;
    }
    if (alongRows)
        data_.rotateAzimuth(-step);
    else if (!data_.tiltElevation(-step))
        return;
    viewChanged(false);
}

void marlune3DChild::toggleSpectrogramView()
{
    if (data_.elevation != 0) {
        data_.switchToSpectrogramView();
    } else {
        // A window made by the Spectrogram command has no mesh view of its own yet.
        const bool saved = data_.savedElevation >= 1 && data_.savedAzimuth >= 0;
        data_.azimuth = saved ? data_.savedAzimuth : DefaultAzimuth;
        data_.elevation = saved ? data_.savedElevation : DefaultElevation;
        data_.fillSegments = data_.savedFillSegments;
        data_.updateZRange();
    }
    viewChanged(false);
}

void marlune3DChild::properties()
{
    UiServices& ui = client().ui();
    FFTDefaultsForm form(ui, spectral, FFTDefaultsForm::Context::TimeFFT);
    if (!ui.runDialog(form))
        return;
    // A Z title of the person's own stays; the unit of the old output form follows the new one.
    if (display.zLabel.empty() || display.zLabel == spectrumUnit(spectral.show))
        display.zLabel = spectrumUnit(form.result().show);
    spectral = form.result();
    const marluneMDIChild* source = signalParent();
    WaitCursor wait(ui);
    const FFTSignal::Result result = data_.recompute(*source->signal(), spectral, tap_, ui.startProgress().get());
    if (result == FFTSignal::Result::NoMemory)
        showNoMoreMemory(ui);
    setInvalid(result != FFTSignal::Result::Done);
    if (result == FFTSignal::Result::Done)
        updateAfterChange();
    else
        repaint();
}

void marlune3DChild::axesSettings()
{
    ViewLevel& level = data_.level();
    const ZAxisForm::Settings settings{level.zMax,     level.zMin,     data_.fixedZRange, display.axes,
                                       display.xLabel, display.yLabel, display.zLabel};
    ZAxisForm::Window hooks;
    hooks.previewRange = [this, &level](float max, float min) {
        // The range holds while the pane repaints, whatever the window's own scaling rule says.
        const bool fixed = data_.fixedZRange;
        data_.fixedZRange = true;
        level.zMax = max;
        level.zMin = min;
        repaint();
        data_.fixedZRange = fixed;
    };
    hooks.setFixed = [this](bool fixed) { data_.fixedZRange = fixed; };
    hooks.setAxes = [this](bool axes) {
        display.axes = axes;
        repaint();
    };
    ZAxisForm form(settings, hooks);
    if (client().ui().runDialog(form)) {
        display.xLabel = form.storedXLabel();
        display.yLabel = form.storedYLabel();
        display.zLabel = form.storedZLabel();
    }
    repaint();
}

void marlune3DChild::exportLevel(bool matrix)
{
    UiServices& ui = client().ui();
    const auto name = ui.saveFileDialog("All files(*.*)|*.*", "");
    if (!name)
        return;
    WaitCursor wait(ui);
    const bool written = matrix ? Export3D::writeMatrix(data_, *name, display.xLabel, display.yLabel)
                                : Export3D::writeTriples(data_, *name);
    if (!written)
        ui.messageBox(Export3D::CouldNotOpen);
}

namespace {
using Window3D = marlune3DChild;

std::optional<CommandState> always(const Window3D&)
{
    return CommandState{};
}

std::optional<CommandState> withRuler(const Window3D& window)
{
    return CommandState{window.data().rulerOn};
}

std::optional<CommandState> valid(const Window3D& window)
{
    return CommandState{!window.invalid()};
}

bool isTimeFFT(const Window3D& window)
{
    return window.kind() == SignalKind::TimeFFT;
}
}  // namespace

const CommandRow<marlune3DChild> marlune3DChild::Rows[] = {
    {Cmd::SpectrogramView, [](const Window3D& w) { return std::optional(CommandState{true, w.data().elevation == 0}); },
     [](Window3D& w) { w.toggleSpectrogramView(); }},
    {Cmd::Ruler3D, [](const Window3D& w) { return std::optional(CommandState{true, w.data().rulerOn}); },
     [](Window3D& w) { w.tabKey(); }},
    {Cmd::MeshView, [](const Window3D& w) { return std::optional(CommandState{true, w.data().fillSegments}); },
     [](Window3D& w) { w.f2Key(); }},
    {Cmd::LowFrequenciesAtBottom,
     [](const Window3D& w) { return std::optional(CommandState{true, w.data().lowAtBottom}); },
     [](Window3D& w) {
         w.data_.lowAtBottom = !w.data_.lowAtBottom;
         w.viewChanged(false);
     }},
    {Cmd::InvertColors, [](const Window3D& w) { return std::optional(CommandState{true, w.data().invertColours}); },
     [](Window3D& w) {
         w.data_.invertColours = !w.data_.invertColours;
         w.viewChanged(false);
     }},
    {Cmd::AdjustZ, always,
     [](Window3D& w) {
         w.data_.adjustZRange();
         w.viewChanged(false);
     }},
    {Cmd::View3DPrevious, always,
     [](Window3D& w) {
         if (PictureScale::enlarge(w.data_))
             w.viewChanged(false);
     }},
    {Cmd::View3DNext, always,
     [](Window3D& w) {
         PictureScale::reduce(w.data_);
         w.viewChanged(false);
     }},
    {Cmd::CopyPicture, always, [](Window3D& w) { w.request(DesktopRequest::CopyPicture); }},
    {Cmd::AxesSettings, always, [](Window3D& w) { w.axesSettings(); }},
    {Cmd::Export3DTriples, valid, [](Window3D& w) { w.exportLevel(false); }},
    {Cmd::Export3DMatrix, valid, [](Window3D& w) { w.exportLevel(true); }},
    {Cmd::ZoomIn, withRuler, [](Window3D& w) { w.enterKey(); }},
    {Cmd::ZoomOut, [](const Window3D& w) { return std::optional(CommandState{w.data().levelIndex() > 0}); },
     [](Window3D& w) { w.deleteKey(); }},
    {Cmd::ExtractXRuler, withRuler,
     [](Window3D& w) {
         if (w.data_.rulerOn)
             DerivedWindows::create(w.client(), w, SignalKind::XRuler);
     }},
    {Cmd::ExtractYRuler, withRuler,
     [](Window3D& w) {
         if (w.data_.rulerOn)
             DerivedWindows::create(w.client(), w, SignalKind::YRuler);
     }},
    {Cmd::Properties,
     [](const Window3D& w) { return std::optional(CommandState{isTimeFFT(w) && w.signalParent() != nullptr}); },
     [](Window3D& w) {
         if (isTimeFFT(w) && w.signalParent())
             w.properties();
     }},
    {Cmd::TimeFFTStatistics, [](const Window3D& w) { return std::optional(CommandState{isTimeFFT(w) && !w.invalid()}); },
     [](Window3D& w) {
         if (isTimeFFT(w) && !w.invalid()) {
             TimeFFTStatForm form(w.data_, w.client().programFolder() + "tfftstat.rng");
             w.client().ui().runDialog(form);
         }
     }},
};

const CommandTable<marlune3DChild> marlune3DChild::Table{"3D window", Rows};

std::span<const int> marlune3DChild::paletteCommands()
{
    // In the order of the palettes: gray, hsv, blue, copper, hot, white.
    static constexpr int Commands[] = {Cmd::PaletteGray, Cmd::PaletteHSV, Cmd::PaletteBlue,
                                       Cmd::PaletteCopper, Cmd::PaletteHot, Cmd::PaletteWhite};
    return Commands;
}

std::optional<CommandState> marlune3DChild::commandState(int id) const
{
    if (const int palette = paletteOf(id); palette >= 0)
        return CommandState{data_.fillSegments, display.palette == palette};
    if (auto state = Table.state(*this, id))
        return state;
    return marluneChild::commandState(id);
}

bool marlune3DChild::command(int id)
{
    if (const int palette = paletteOf(id); palette >= 0) {
        display.palette = palette;
        viewChanged(false);
        return true;
    }
    return Table.run(*this, id) || marluneChild::command(id);
}

const BoundKey<marlune3DChild> marlune3DChild::Keys[] = {
    {"ColorPalette", KeyFormat::Int, [](const Window3D& w) { return keyNumber(w.display.palette); },
     [](Window3D& w, const KeyValue& v) {
         w.display.palette = std::clamp(intOf(v), 0, int32_t(Palette::FileNames.size()) - 1);
     }},
    {"XLabel", KeyFormat::Text, [](const Window3D& w) { return keyText(w.display.xLabel); },
     [](Window3D& w, const KeyValue& v) { w.display.xLabel = textOf(v); }},
    {"YLabel", KeyFormat::Text, [](const Window3D& w) { return keyText(w.display.yLabel); },
     [](Window3D& w, const KeyValue& v) { w.display.yLabel = textOf(v); }},
    {"ZLabel", KeyFormat::Text, [](const Window3D& w) { return keyText(w.display.zLabel); },
     [](Window3D& w, const KeyValue& v) { w.display.zLabel = textOf(v); }},
    {"ShowAxes", KeyFormat::Int, [](const Window3D& w) { return keyNumber(w.display.axes); },
     [](Window3D& w, const KeyValue& v) { w.display.axes = intOf(v) != 0; }},
    {"FixedMinMax", KeyFormat::Int, [](const Window3D& w) { return keyNumber(w.data_.fixedZRange); },
     [](Window3D& w, const KeyValue& v) { w.data_.fixedZRange = intOf(v) != 0; }},
    // A range read back only where it was fixed; otherwise the window's own stays.
    {"MaximumZ", KeyFormat::Extended, [](const Window3D& w) { return keyNumber(w.data_.level().zMax); },
     [](Window3D& w, const KeyValue& v) {
         if (w.data_.fixedZRange)
             w.data_.level().zMax = float(numberOf(v));
     }},
    {"MinimumZ", KeyFormat::Extended, [](const Window3D& w) { return keyNumber(w.data_.level().zMin); },
     [](Window3D& w, const KeyValue& v) {
         if (w.data_.fixedZRange)
             w.data_.level().zMin = float(numberOf(v));
     }},
    // The view as it was saved; a stored value out of range keeps the window's own.
    {"ViewX", KeyFormat::Int, [](const Window3D& w) { return keyNumber(w.data_.azimuth); },
     [](Window3D& w, const KeyValue& v) {
         if (const int32_t azimuth = intOf(v); azimuth >= 0 && azimuth < FFTSignal::Azimuths)
             w.data_.azimuth = azimuth;
     }},
    {"ViewY", KeyFormat::Int, [](const Window3D& w) { return keyNumber(w.data_.elevation); },
     [](Window3D& w, const KeyValue& v) {
         if (const int32_t elevation = intOf(v); elevation >= 0 && elevation <= FFTSignal::MaxElevation)
             w.data_.elevation = elevation;
     }},
    {"FillSegments", KeyFormat::Int, [](const Window3D& w) { return keyNumber(w.data_.fillSegments); },
     [](Window3D& w, const KeyValue& v) { w.data_.fillSegments = intOf(v) != 0; }},
    {"LowFrequenciesAtBottom", KeyFormat::Int, [](const Window3D& w) { return keyNumber(w.data_.lowAtBottom); },
     [](Window3D& w, const KeyValue& v) { w.data_.lowAtBottom = intOf(v) != 0; }},
    // A Time FFT not computed yet has no rows, but its segment count all the same.
    {"SegmentsCount", KeyFormat::Int,
     [](const Window3D& w) { return keyNumber(isTimeFFT(w) ? w.data_.parameters().M : w.data_.rows()); }},
    {"RulerOn", KeyFormat::Int, [](const Window3D& w) { return keyNumber(w.data_.rulerOn); },
     [](Window3D& w, const KeyValue& v) { w.data_.rulerOn = intOf(v) != 0; }},
    {"RulerX", KeyFormat::Int, [](const Window3D& w) { return keyNumber(w.data_.level().rulerRow); },
     [](Window3D& w, const KeyValue& v) {
         ViewLevel& level = w.data_.level();
         level.rulerRow = std::clamp(intOf(v), level.firstRow, level.lastRow);
     }},
    {"RulerY", KeyFormat::Int, [](const Window3D& w) { return keyNumber(w.data_.level().rulerBin); },
     [](Window3D& w, const KeyValue& v) {
         ViewLevel& level = w.data_.level();
         level.rulerBin = std::clamp(intOf(v), level.firstBin, level.lastBin);
     }},
    // A picture read from a file is read again from it; one from the clipboard is not kept.
    {"FileName", KeyFormat::Text,
     [](const Window3D& w) {
         return w.kind() == SignalKind::Picture && !w.fileName().empty() ? keyText(w.fileName())
                                                                          : std::nullopt;
     }},
    {"FFTPrecision", KeyFormat::Int,
     [](const Window3D& w) { return isTimeFFT(w) ? keyNumber(w.data_.parameters().N) : std::nullopt; }},
    {"FFTFromFreq", KeyFormat::Double,
     [](const Window3D& w) { return isTimeFFT(w) ? keyNumber(w.data_.parameters().fromFrequency) : std::nullopt; }},
    {"FFTToFreq", KeyFormat::Double,
     [](const Window3D& w) { return isTimeFFT(w) ? keyNumber(w.data_.parameters().toFrequency) : std::nullopt; }},
};

void marlune3DChild::saveKindKeys(TIniHelper& ini, const std::string& section) const
{
    writeBoundKeys<marlune3DChild>(ini, section, Keys, *this);
    if (isTimeFFT(*this))
        writeSpectralSettings(ini, section, spectral);
}

void marlune3DChild::loadKindKeys(const TIniHelper& ini, const std::string& section)
{
    readBoundKeys<marlune3DChild>(ini, section, Keys, *this);
    repaint();
}
