#pragma once
// The "Signal generator" dialog: the function and six numbers, the three lengths kept consistent.
#include <array>
#include <functional>
#include <optional>
#include <string>

#include "base/DialogForm.h"
#include "dsp/GeneratorParameters.h"

class UiServices;

class GenSigForm : public DialogForm {
public:
    static constexpr std::string_view Name = "GenSig";
    static constexpr const char* RefusedMessage = "Can't create signal with these parameters !!";
    // "Function " entries, by function index.
    static constexpr std::array<const char*, GeneratorParameters::FunctionCount> FunctionNames{
        "sin", "cos", "step", "random", "hanning", "hamming", "blackman", "const", "triangular"};
    // The fields in the order of the parameters they hold, Param0 … Param5.
    enum Field { SampleRate, Seconds, Samples, Maximum, Minimum, Frequency, FieldCount };
    static constexpr std::array<const char*, FieldCount> FieldLabels{
        "Sample rate:", "Length(sec):", "Length(samples):", "Max:", "Min:", "Frequency(Hz):"};

    // Opens on `current`, each number shown with "%.4Lf".
    GenSigForm(UiServices& ui, const GeneratorParameters& current);

    std::array<std::string, FieldCount> fields;
    int function = 0;

    // Called inside each rewrite while the echo guard holds, so the dialog can copy the rewritten
    // field into its widget without its change signal coming back.
    std::function<void()> showFields;

    // The person changed `field`: rewrites at most one other length field. A change the form makes
    // itself comes back here while the guard holds and is ignored.
    void edited(Field field);
    // Whether the chosen function uses the field.
    bool enabled(Field field) const;

    std::string_view formName() const override { return Name; }
    // Every field a number and the parameters usable, or the refusal message and the dialog stays open.
    bool accept() override;
    // After an accepted OK: the six fields and the function index in Param0 … Param6, the rest as opened.
    const GeneratorParameters& result() const { return result_; }

private:
    // The field's number: the whole text (blanks around it aside) a finite number, else none.
    std::optional<long double> number(Field field) const;
    // Writes a finite value into `field` under the echo guard; anything else leaves the field as it is.
    void rewrite(Field field, long double value);

    UiServices& ui_;
    bool echoGuard_ = false;
    GeneratorParameters result_;
};
