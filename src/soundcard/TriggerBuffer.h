#pragma once
// Cuts recorded frames into windows that begin where the trigger channel first exceeds a level.
#include <cstdint>
#include <vector>

// Windows of L frames of C 16-bit samples, plus a number of frames to skip; frames beyond a full window
// wait in a carry store and begin the next one, so later windows continue without a gap.
class TriggerBuffer {
public:
    // threshold in percent of full scale; triggerChannel 1 or 2 (held within the C channels).
    TriggerBuffer(int32_t threshold, uint32_t frames, uint32_t channels, uint32_t triggerChannel, uint32_t skip);

    // One block of n frames (n ≤ L).
    void feed(const int16_t* block, uint32_t n);

    bool triggered() const { return triggered_; }
    // The output holds a whole window of L frames.
    bool complete() const { return outputCount_ == frames_; }
    const int16_t* output() const { return output_.data(); }
    uint32_t outputCount() const { return outputCount_; }
    uint32_t carryCount() const { return carryCount_; }
    // The stored window is done with: the output starts empty.
    void emptyOutput() { outputCount_ = 0; }
    // Waits for a new crossing. Frames that followed the last window are dropped too, so the next
    // window begins at its own crossing.
    void rearm();

private:
    // Frames `from` on, `count` of them, appended to the output.
    void appendToOutput(const int16_t* frames, uint32_t count);

    std::vector<int16_t> carry_;
    std::vector<int16_t> output_;
    bool triggered_ = false;
    uint32_t frames_;
    uint32_t channels_;
    double level_;
    uint32_t skip_;
    uint32_t triggerChannel_;
    uint32_t outputCount_ = 0;
    uint32_t carryCount_ = 0;
};
