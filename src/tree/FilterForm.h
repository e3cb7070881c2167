#pragma once
// The "Filter" dialog: the filter type and the band "From (Hz) :" … "To (Hz) :".
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "base/DialogForm.h"
#include "dsp/FftFilter.h"
#include "tree/PendingParameters.h"

class Signal;

class FilterForm : public DialogForm {
public:
    static constexpr std::string_view Name = "Filter";
    // Radio buttons in the order of the types 1 … 4.
    static constexpr std::array<const char*, 4> TypeNames{"Bandstop", "Bandpass", "Lowpass", "Highpass"};

    // The values a command hands over; the dialog opens with From "0" and band pass.
    FilterForm(std::string from, std::string to);
    // For one signal window: from = r / 2^k and to = r / 2 ("%.6Lf"), 2^k the smallest power of two
    // not below the visible count.
    static FilterForm forSignal(const Signal& signal);
    // For several windows at once (the control window): from = the largest r / 2^k and to = the
    // smallest r / 2 over them ("%.5Lf").
    static FilterForm forSignals(const std::vector<const Signal*>& shown);

    const std::string& handedFrom() const { return handedFrom_; }

    std::string fromText;  // "From (Hz) :"
    std::string toText;    // "To (Hz) :"
    int16_t type() const { return type_; }
    // Lowpass sets From to "0"; Highpass leaves To as it is.
    void chooseType(int16_t type);
    bool fromEnabled() const { return type_ != FilterType::LowPass; }
    bool toEnabled() const { return type_ != FilterType::HighPass; }

    std::string_view formName() const override { return Name; }
    bool accept() override;
    // From, to and type, as the filter window reads them.
    const PendingParameters& parameters() const { return parameters_; }

private:
    std::string handedFrom_;
    int16_t type_ = FilterType::BandPass;
    PendingParameters parameters_;
};
