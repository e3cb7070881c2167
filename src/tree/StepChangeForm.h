#pragma once
// The "Step change" dialog: the moving step in samples and in seconds, each field rewriting the other.
#include <cstdint>
#include <string>

#include "base/DialogForm.h"

class StepChangeForm : public DialogForm {
public:
    static constexpr std::string_view Name = "StepChange";

    StepChangeForm(uint32_t step, long double sampleRate);

    std::string samplesText;  // "Step (samples) :"
    std::string secondsText;  // "Step (sec) :"

    // Called after the person edited one field: rewrites the other.
    void samplesEdited();
    void secondsEdited();

    std::string_view formName() const override { return Name; }
    // Accepts only 1 ... 65534 samples; the dialog stays open otherwise, without a message.
    bool accept() override;
    uint32_t step() const { return step_; }

private:
    long double sampleRate_;
    uint32_t step_;
};
