#pragma once
#include <memory>
#include <string>

#include "base/Rgb.h"
#include "dsp/TapWindow.h"
#include "signal/Signal.h"
#include "signal/SignalKind.h"
#include "signal/SignalOwner.h"
#include "tree/marluneChild.h"

// A one-dimensional signal window (kinds 1 ... 68): owns its current Signal and the settings its view draws with.
class marluneMDIChild : public marluneChild, public SignalOwner {
public:
    marluneMDIChild(marluneMDIClient& client, int32_t kind, std::unique_ptr<Signal> signal);
    ~marluneMDIChild() override;

    Signal* signal() const { return signal_.get(); }
    // Replaces the current signal; the old one is destroyed after the new one took its place.
    void replaceSignal(std::unique_ptr<Signal> signal);

    // SignalOwner
    bool fixedMinMax() const override { return fixedMinMax_; }
    const Signal* currentSignal() const override { return signal_.get(); }

    // The pane shows samples: a sample rate, a valid result and at least 4 visible samples. Otherwise it
    // shows only that its content is not valid, and nothing that needs samples can be done in it.
    bool showsSamples() const;

    void setFixedMinMax(bool fixed) { fixedMinMax_ = fixed; }
    Rgb curveColour() const { return curveColour_; }
    void setCurveColour(Rgb colour) { curveColour_ = colour; }
    int32_t originalUnits() const { return originalUnits_; }
    void setOriginalUnits(int32_t units) { originalUnits_ = units; }
    int32_t channelNumber() const { return channelNumber_; }
    void setChannelNumber(int32_t channel) { channelNumber_ = channel; }
    int32_t partCounter() const { return partCounter_; }
    void setPartCounter(int32_t count) { partCounter_ = count; }
    uint32_t step() const { return step_; }
    void setStep(uint32_t step) { step_ = step; }
    const std::string& xLabel() const { return xLabel_; }
    const std::string& yLabel() const { return yLabel_; }
    void setXLabel(const std::string& label) { xLabel_ = label; }
    void setYLabel(const std::string& label) { yLabel_ = label; }
    // Channels 2 ... n of a multichannel file point at the window of channel 1.
    marluneMDIChild* mainSignal() const;
    void setMainSignal(marluneMDIChild* head) { mainSignal_ = head; }
    bool drawAxes() const { return drawAxes_; }
    void setDrawAxes(bool on) { drawAxes_ = on; }
    bool logXAxis() const { return logXAxis_; }
    void setLogXAxis(bool on) { logXAxis_ = on; }
    // Kept for the axes dialog; the drawing does not use it.
    bool logYAxis() const { return logYAxis_; }
    void setLogYAxis(bool on) { logYAxis_ = on; }
    // Samples by which live data moved since the last paint; the pane scrolls by it and resets it.
    int32_t pendingShift() const { return pendingShift_; }
    void setPendingShift(int32_t shift) { pendingShift_ = shift; }
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
    // Range, step and rate read-outs of the status bar.
    void refreshStatusBar() const;
    // X and Y read-outs of the sample under the mouse.
    void showCursorReadout(uint32_t index) const;

    std::optional<CommandState> commandState(int id) const override;
    bool command(int id) override;

protected:
    bool recomputeFromParents() override;
    void afterRecompute() override;

private:
    void afterViewChange();
    void stepChangeDialog();
    void sampleRateChange();
    void changeStep(int delta);
    void changeTitleDialog();

    std::unique_ptr<Signal> signal_;
    Rgb curveColour_{0, 0, 255};
    int32_t originalUnits_ = 1;
    int32_t channelNumber_ = 0;
    int32_t partCounter_ = 0;
    uint32_t step_ = 30;
    std::string xLabel_;
    std::string yLabel_;
    marluneMDIChild* mainSignal_ = nullptr;
    bool fixedMinMax_ = false;
    bool drawAxes_ = true;
    bool logXAxis_ = false;
    bool logYAxis_ = false;
    int32_t pendingShift_ = 0;
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
