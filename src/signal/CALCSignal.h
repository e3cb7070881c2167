#pragma once
// The result of the signal calculator (kind 51).
#include <cstdint>
#include <functional>
#include <memory>

#include "dsp/CalcProgram.h"
#include "signal/Signal.h"

// Its program evaluated over the current signals of its operand windows, with its own spectral settings for
// the spectral operators.
class CALCSignal : public Signal {
public:
    enum class Outcome {
        Done,
        Invalid,   // an operand is missing or shows nothing, or a spectral operator had too few values
        NoMemory,  // the work block could not be had
    };
    // The current signal of the window at a table index; null when there is none.
    using OperandLookup = std::function<const Signal*(uint32_t index)>;

    // An empty result (sample rate 0) that keeps the program and settings.
    CALCSignal(SignalOwner* owner, CalcProgram program, const SpectralSettings& settings);

    // Evaluates the program from left to right over the operands' visible samples. A zoomed
    // `previous` result passes its current range on, where it fits.
    Outcome evaluate(const OperandLookup& operands, const Signal* previous = nullptr);

    const CalcProgram& program() const { return program_; }
    // A spectral operator was applied: the X axis is frequency and the settings matter.
    bool spectralResult() const { return spectralOperator_ != 0; }
    // The code of the last spectral operator applied ('S', 'D', 'C', 'G', 'P'), 0 when none was.
    char spectralOperator() const { return spectralOperator_; }

private:
    Outcome run(const OperandLookup& operands);

    CalcProgram program_;
    char spectralOperator_ = 0;
    std::unique_ptr<float[]> values_;
};
