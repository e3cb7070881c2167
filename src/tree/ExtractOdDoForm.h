#pragma once
// The "Extract" dialog: a range "From:" … "To:" of X values (seconds of a signal, or a frequency range).
#include <optional>
#include <string>
#include <utility>

#include "base/DialogForm.h"

class Signal;

class ExtractOdDoForm : public DialogForm {
public:
    static constexpr std::string_view Name = "ExtractOdDo";

    ExtractOdDoForm(std::string from, std::string to);
    // For extracting from a signal: opens on its visible range and keeps the result inside the signal.
    static ExtractOdDoForm forSignal(const Signal& signal);

    // A start outside [first, last] becomes first, an end outside it becomes last.
    void limitTo(long double first, long double last) { limits_ = {first, last}; }

    std::string fromText;  // "From:"
    std::string toText;    // "To:"

    std::string_view formName() const override { return Name; }
    bool accept() override;
    long double from() const { return from_; }
    long double to() const { return to_; }

private:
    std::optional<std::pair<long double, long double>> limits_;
    long double from_ = 0;
    long double to_ = 0;
};
