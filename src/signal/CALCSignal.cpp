#include "signal/CALCSignal.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <vector>

#include "dsp/CalcArithmetic.h"
#include "dsp/CircularConvolution.h"
#include "dsp/CrossSpectrum.h"
#include "dsp/TapWindow.h"
#include "signal/SignalKind.h"

namespace {
// An operand with its unary operator applied, in a copy of its visible samples.
struct Operand {
    const Signal* signal = nullptr;
    std::vector<float> values;
};
}  // namespace

CALCSignal::CALCSignal(SignalOwner* owner, CalcProgram program, const SpectralSettings& settings)
    : Signal(owner, SignalKind::Calculator), program_(std::move(program))
{
    spectral = settings;
}

CALCSignal::Outcome CALCSignal::evaluate(const OperandLookup& operands, const Signal* previous)
{
    Outcome outcome = Outcome::Done;
    try {
        outcome = run(operands);
    } catch (const std::bad_alloc&) {
        outcome = Outcome::NoMemory;
    }
    if (outcome != Outcome::Done) {
        values_.reset();
        adoptExternalSamples(nullptr, 0);
        setSampleRate(0);
        return outcome;
    }
    updateYRange();
    if (previous && previous->zoomLevel() > 0)
        (void)zoomIn(previous->firstVisible(), previous->lastVisible());
    return Outcome::Done;
}

CALCSignal::Outcome CALCSignal::run(const OperandLookup& lookup)
{
    const std::vector<long double>& elements = program_.elements();
    if (!program_.complete())
        return Outcome::Invalid;
    // The work block is as long as the longest operand, which bounds every intermediate result.
    std::size_t longest = 0;
    for (uint32_t index : program_.operands()) {
        const Signal* signal = lookup(index);
        if (!signal || signal->visibleCount() == 0 || !(signal->sampleRate() > 0))
            return Outcome::Invalid;
        longest = std::max<std::size_t>(longest, signal->visibleCount());
    }
    std::vector<float> work(longest);
    std::size_t count = 0;
    long double rate = 0;
    long double offset = 0;
    spectralOperator_ = 0;

    std::size_t at = 0;
    const auto nextOperand = [&]() {
        Operand operand;
        char unary = 0;
        if (const CalcOperator* op = CalcOperator::ofElement(elements[at])) {
            unary = op->code;
            ++at;
        }
        operand.signal = lookup(uint32_t(elements[at++]));
        const float* visible = operand.signal->visibleSamples();
        operand.values.assign(visible, visible + operand.signal->visibleCount());
        CalcArithmetic::applyUnary(unary, operand.values.data(), operand.values.size());
        return operand;
    };

    const Operand first = nextOperand();
    count = first.values.size();
    std::copy(first.values.begin(), first.values.end(), work.begin());
    rate = first.signal->sampleRate();
    offset = first.signal->firstVisibleX();
    while (at < elements.size()) {
        const CalcOperator& op = *CalcOperator::ofElement(elements[at++]);
        const Operand u = nextOperand();
        const std::size_t uCount = u.values.size();
        if (op.spectral) {
            const std::size_t m = CrossSpectrum::compute(op.code, work.data(), count, u.values.data(), uCount,
                                                         spectral, work.data());
            if (m == 0)
                return Outcome::Invalid;
            const long double R = u.signal->sampleRate();
            offset = R / (2 * (long double)m);
            rate = ((long double)std::min(m, uCount) - 1) / (R / 2 - offset);
            if (!(rate > 0) || !std::isfinite(rate))
                return Outcome::Invalid;
            count = m;
            spectralOperator_ = op.code;
        } else if (op.code == 'c') {
            // Values past the current count are zeros of the padding (the block may hold older values).
            std::fill(work.begin() + std::ptrdiff_t(count), work.end(), 0.0f);
            circularConvolution(work.data(), count, u.values.data(), uCount);
        } else if (op.code == 'o') {
            TapWindow kernel;
            kernel.setFromSignal(u.values);
            std::vector<float> smoothed(count);
            kernel.smooth(work.data(), smoothed.data(), uint32_t(count));
            std::copy(smoothed.begin(), smoothed.end(), work.begin());
        } else {
            count = std::min(count, uCount);
            CalcArithmetic::applyBinary(op.code, work.data(), u.values.data(), count);
        }
    }
    values_ = allocateSamples(count);
    std::copy_n(work.begin(), count, values_.get());
    adoptExternalSamples(values_.get(), uint32_t(count));
    setSampleRate(rate);
    setXOffset(offset);
    return Outcome::Done;
}
