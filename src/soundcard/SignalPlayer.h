#pragma once
// Playback of one signal window.
#include <cstdint>
#include <memory>

class SoundDevices;
class SoundStream;
struct SoundBuffer;
class marluneMDIChild;

// With sound, up to 16 blocks of the visible count B ahead of the view, which moves on by B for every
// finished block, the signal's last samples as a shorter block of their own, and playback ends once the
// device has sounded all of them; or silently, the view stepping on by the window's step every 10 ms. Everything runs on
// the user-interface thread, one notification at a time, so finished blocks are handled and refilled in
// order without a lock.
class SignalPlayer {
public:
    static constexpr int MaxBlocks = 16;
    static constexpr uint32_t MinimumBlock = 64;
    static constexpr int StepDelayMs = 10;
    static constexpr int16_t Middle = 0;
    static constexpr const char* NoDevice = "Could not find the sound card in your system.";
    static constexpr const char* PlayFailed = "Could not play this sound on your sound card.";

    SignalPlayer(marluneMDIChild& window, SoundDevices& devices);
    ~SignalPlayer();
    SignalPlayer(const SignalPlayer&) = delete;
    SignalPlayer& operator=(const SignalPlayer&) = delete;

    bool stopped() const { return stopped_; }
    // Blocks handed to the device and not yet finished.
    int queued() const { return queued_; }

    // What a window allows when nothing plays: a block of at least 64 visible samples, and a step
    // that stays inside the signal.
    static bool soundPlayable(const marluneMDIChild& window);
    static bool steppable(const marluneMDIChild& window);
    bool canPlayWithSound() const { return stopped_ && soundPlayable(window_); }
    bool canPlayWithoutSound() const { return stopped_ && steppable(window_); }
    void playWithSound();
    void playWithoutSound();
    // The view stays where playback was.
    void stop();

    // trunc((x − min) × 30000 / (max − min)); the middle value where that has no meaning (a constant
    // signal, NaN) and the nearest 16-bit value for samples far outside the range.
    static int16_t convert(float x, float min, float max);

private:
    // Converts the next B samples to play (fewer at the signal's end) into the buffer; false when every
    // sample was queued.
    bool fillNext(SoundBuffer& buffer);
    void blockDone(std::unique_ptr<SoundBuffer> buffer);
    void stepLater(int ms);
    void silentStep(uint32_t run);

    marluneMDIChild& window_;
    SoundDevices& devices_;
    bool stopped_ = true;
    std::unique_ptr<SoundStream> stream_;
    uint32_t block_ = 0;
    int queued_ = 0;
    // The first sample not yet queued.
    uint64_t next_ = 0;
    // Each silent run has its number, so a step still waiting from an earlier run does nothing.
    uint32_t run_ = 0;
    // Steps asked for later hold a weak reference: once the player is gone they do nothing.
    std::shared_ptr<SignalPlayer*> self_;
};
