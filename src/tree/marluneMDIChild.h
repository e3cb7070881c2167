#pragma once
// A one-dimensional signal window (kinds 1 ... 68): owns its current Signal and the settings its view draws with.
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "base/CommandTable.h"
#include "base/Rgb.h"
#include "dsp/TapWindow.h"
#include "signal/Signal.h"
#include "signal/SignalKind.h"
#include "signal/SignalOwner.h"
#include "tree/FileFacts.h"
#include "tree/marluneChild.h"
#include "views/CurveDisplay.h"
#include "views/SampleSelection.h"

class marluneMDIChild : public marluneChild, public SignalOwner {
public:
    marluneMDIChild(marluneMDIClient& client, int32_t kind, std::unique_ptr<Signal> signal);
    ~marluneMDIChild() override;

    Signal* signal() const { return signal_.get(); }
    // Replaces the current signal; the old one is destroyed after the new one took its place.
    void replaceSignal(std::unique_ptr<Signal> signal);

    // SignalOwner
    bool fixedMinMax() const override { return display_.fixedRange; }
    const Signal* currentSignal() const override { return signal_.get(); }

    // The pane shows samples: a sample rate, a valid result and at least 4 visible samples. Otherwise it
    // shows only that its content is not valid, and nothing that needs samples can be done in it.
    bool showsSamples() const;

    // How the curve is drawn, as one value.
    const CurveDisplay& display() const { return display_; }
    CurveDisplay& curveDisplay() { return display_; }
    void setDisplay(const CurveDisplay& display) { display_ = display; }
    void setFixedMinMax(bool fixed) { display_.fixedRange = fixed; }
    Rgb curveColour() const { return display_.colour; }
    void setCurveColour(Rgb colour) { display_.colour = colour; }
    int32_t originalUnits() const { return originalUnits_; }
    void setOriginalUnits(int32_t units) { originalUnits_ = units; }
    int32_t channelNumber() const { return channelNumber_; }
    void setChannelNumber(int32_t channel) { channelNumber_ = channel; }
    const FileFacts& fileFacts() const { return fileFacts_; }
    void setFileFacts(FileFacts facts) { fileFacts_ = std::move(facts); }
    int32_t partCounter() const { return partCounter_; }
    void setPartCounter(int32_t count) { partCounter_ = count; }
    uint32_t step() const { return step_; }
    void setStep(uint32_t step) { step_ = step; }
    const std::string& xLabel() const { return display_.xLabel; }
    const std::string& yLabel() const { return display_.yLabel; }
    void setXLabel(const std::string& label) { display_.xLabel = label; }
    void setYLabel(const std::string& label) { display_.yLabel = label; }
    // Channels 2 ... n of a multichannel file point at the window of channel 1.
    marluneMDIChild* mainSignal() const;
    void setMainSignal(marluneMDIChild* head) { mainSignal_ = head; }
    bool drawAxes() const { return display_.axes; }
    void setDrawAxes(bool on) { display_.axes = on; }
    bool logXAxis() const { return display_.logX; }
    void setLogXAxis(bool on) { display_.logX = on; }
    bool logYAxis() const { return display_.logY; }
    void setLogYAxis(bool on) { display_.logY = on; }

    // The band the person marked, in samples; it goes when the samples or the visible part change.
    const std::optional<SampleSelection>& selection() const { return selection_; }
    void setSelection(const std::optional<SampleSelection>& selection);
    // Where Paste writes: the offset from the zoom start of the sample under the cursor.
    std::optional<uint32_t> pasteOffset() const { return pasteOffset_; }
    void setPasteOffset(std::optional<uint32_t> offset) { pasteOffset_ = offset; }
    // The harmonic ruler of a spectrum's cursor.
    bool harmonicRuler() const { return harmonicRuler_; }
    void setHarmonicRuler(bool on);
    bool xAxisFromFile() const { return xAxisFromFile_; }
    void setXAxisFromFile(bool on) { xAxisFromFile_ = on; }
    bool playOnChange() const { return playOnChange_; }
    // The window function and smoothing kernel of the spectra this window computes.
    TapWindow& tap() { return tap_; }

    // A spectrum still collecting its average is left out of the count: it will not pass the update on.
    void notify() override;

    // View commands that change the visible part; each runs the update when something moved.
    bool zoomIn();
    bool zoomOut();
    bool stepLeft();
    bool stepRight();
    bool toBeginning();
    bool toEnd();
    // The visible part, as long as it is, moved to start at `first` (as far as the signal reaches): the
    // scroll bar and a drag with the middle button.
    bool scrollTo(uint32_t first);
    // Half the visible samples, with the sample `index` where it was in the view: Ctrl+wheel. A new
    // entry of the zoom history, so zoomOut() goes back; refused below 16 samples or at its deepest.
    bool zoomInAbout(uint32_t index);
    // Range, step and rate read-outs of the status bar.
    void refreshStatusBar() const;
    // The signal bar.
    void showStatusBar() const override;
    // X and Y read-outs of the sample under the mouse.
    void showCursorReadout(uint32_t index) const;

    // The command tables a signal window asks, in order, before the handlers folders above the tree
    // register and the commands of every window; no number is in two of them.
    static std::span<const CommandTable<marluneMDIChild>* const> commandTables();
    std::optional<CommandState> commandState(int id) const override;
    bool command(int id) override;
    // The keys of the window's kind, as its entry in the table of kinds writes them.
    void saveKindKeys(TIniHelper& ini, const std::string& section) const override;

protected:
    bool recomputeFromParents() override;
    void afterRecompute() override;
    bool givesData() const override { return showsSamples(); }

private:
    static const CommandRow<marluneMDIChild> OwnRows[];
    static const CommandTable<marluneMDIChild> OwnCommands;

    void afterViewChange();
    void stepChangeDialog();
    void sampleRateChange();
    void changeStep(int delta);
    void changeTitleDialog();

    std::unique_ptr<Signal> signal_;
    int32_t originalUnits_ = 1;
    int32_t channelNumber_ = 0;
    FileFacts fileFacts_;
    int32_t partCounter_ = 0;
    uint32_t step_ = 30;
    marluneMDIChild* mainSignal_ = nullptr;
    CurveDisplay display_;
    std::optional<SampleSelection> selection_;
    std::optional<uint32_t> pasteOffset_;
    bool harmonicRuler_ = false;
    bool xAxisFromFile_ = false;
    bool playOnChange_ = false;
    TapWindow tap_;
};

// The signal window behind a tree node, checked by its kind before the cast; null for any other node
// (an instrument, a 3D window, an overlay) and for null.
inline marluneMDIChild* signalWindowOf(marluneChild* node)
{
    return node && SignalKind::isSignalWindow(node->kind()) ? static_cast<marluneMDIChild*>(node) : nullptr;
}
inline const marluneMDIChild* signalWindowOf(const marluneChild* node)
{
    return signalWindowOf(const_cast<marluneChild*>(node));
}

// The fewest samples any signal window among `windows` shows, for a dialog that serves them all;
// the largest count when there is none.
uint32_t shortestVisible(std::span<marluneChild* const> windows);
