#pragma once
// The "Time FFT" dialog ("Spectrogram" when opened by that command).
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "base/DialogForm.h"
#include "views/FFTSignal.h"

class UiServices;

// FFT length, segments and their step, the view direction and the frequency range for a parent showing
// `visibleCount` samples.
class TimeFFTForm : public DialogForm {
public:
    static constexpr std::string_view Name = "TimeFFT";
    static constexpr int CountLength = 10;       // "No. of segments :" and "Step :"
    static constexpr int FrequencyLength = 255;  // "From" and "To"
    static constexpr int AzimuthEntries = 36;
    static constexpr int ElevationEntries = 17;

    TimeFFTForm(UiServices& ui, uint32_t visibleCount, long double sampleRate, bool spectrogram);

    // "FFT precision :" entries "16", "32", ... while smaller than the visible count; entry k is N = 2^(k + 4).
    std::vector<std::string> precisionEntries;
    int precision = 0;
    std::string segmentsText;  // "No. of segments :"
    std::string stepText;      // "Step :"
    // "Azimuth" entries "0" ... "350" and "Elevation" entries "80" ... "-80"; hidden in the Spectrogram form.
    std::vector<std::string> azimuthEntries;
    std::vector<std::string> elevationEntries;
    int azimuth = 15;
    int elevation = 3;
    std::string fromText;  // "From"
    std::string toText;    // "To"

    // Called inside each edit handler while the echo guard holds, so the dialog can copy the
    // rewritten fields into its widgets without their change signals coming back.
    std::function<void()> showFields;

    bool spectrogram() const { return spectrogram_; }
    bool viewListsShown() const { return !spectrogram_; }
    uint32_t fftLength() const { return uint32_t(1) << (precision + 4); }

    // The person chose another precision: "From" goes back to fs / N and the step follows.
    void precisionChanged();
    // The person typed a segment count: the step follows.
    void segmentsEdited();
    // The person typed a step: the segment count follows.
    void stepEdited();

    std::string_view formName() const override { return Name; }
    // Checks the segment count and the frequency range, each failure with its message; false keeps
    // the dialog open.
    bool accept() override;
    // The choices after an accepted OK; azimuth and elevation are -1 in the Spectrogram form.
    const TimeFFTParameters& result() const { return result_; }

private:
    // The step for the typed segment count, when there are at least two segments.
    void showStep();
    void rewrite(const std::function<void()>& change);

    UiServices& ui_;
    uint32_t visibleCount_;
    long double sampleRate_;
    bool spectrogram_;
    bool echoGuard_ = false;
    TimeFFTParameters result_;
};
