#pragma once
// The "Spectral analysis defaults" dialog on a copy of a SpectralSettings record.
#include <array>
#include <string>

#include "base/DialogForm.h"
#include "dsp/SpectralSettings.h"

class UiServices;

class FFTDefaultsForm : public DialogForm {
public:
    static constexpr std::string_view Name = "FFTDefaults";
    static constexpr int FieldLength = 4;

    // Which caller opened the dialog; each disables some controls.
    enum class Context { Defaults = 0, Spectrum = 2, Calculator = 51, TimeFFT = 151 };

    static constexpr std::array<const char*, 5> WindowNames{"Hanning", "Hamming", "Blackman", "Rectangle", "Triangle"};
    static constexpr std::array<const char*, 3> ExpansionNames{"2", "4", "8"};
    static constexpr std::array<const char*, 2> ConfidenceNames{"95", "99"};
    static constexpr std::array<const char*, 8> ShowNames{
        "Real part", "Imaginary part", "Magnitude (M)", "dB [ 20*log(M) ]", "Phase",
        "dB: Max=0dB [ 20*log(M/Mmax) ]", "Power spectral density (PSD)", "Power spectrum (Welch's method)"};

    FFTDefaultsForm(UiServices& ui, const SpectralSettings& settings, Context context);

    // Controls, as the dialog shows them.
    bool subtractMean = false;
    bool removeTrend = false;
    bool removePeaks = false;
    std::string peakLimit;           // "Remove values >" ... "*stand. dev."
    bool applyWindow = false;
    int window = 0;                  // index into WindowNames
    bool expand = false;
    int expansion = 0;               // index into ExpansionNames
    bool averaged = false;           // "Averaged spectrum on last" instead of "Instantaneous spectrum (no averaging)"
    std::string averages;            // ... "iterations"
    int show = -1;                   // checked "Show result as:" button, -1 for none
    bool smooth = false;
    int smoothWindow = 0;            // index into WindowNames
    std::string smoothLength;        // ... "pts"
    bool testPeaks = false;
    int confidence = 0;              // index into ConfidenceNames

    // Whether the context leaves the control of that field enabled.
    bool expansionEnabled() const;
    bool showEnabled(int value) const;
    bool testEnabled() const;

    std::string_view formName() const override { return Name; }
    // Reads the controls back; refuses with "Wrong settings !!" and keeps the result unchanged when invalid.
    bool accept() override;
    const SpectralSettings& result() const { return result_; }

private:
    UiServices& ui_;
    Context context_;
    SpectralSettings result_;
};
