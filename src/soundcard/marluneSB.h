#pragma once
// The acquisition window.
#include <cstdint>
#include <memory>

#include "soundcard/AcquisitionSettings.h"
#include "soundcard/TriggerBuffer.h"
#include "tree/marluneMDIChild.h"

class SoundDevices;
class SoundStream;
struct SoundBuffer;
class marluneSter;

// Records 16-bit PCM into its paged signal (and its companion's for the second channel), converted with the
// calibration, decimated and triggered as its settings say, and updates everything below it after every
// stored window. It knows the devices only through SoundDevices.
class marluneSB : public marluneMDIChild {
public:
    static constexpr const char* TitleFormat = " %u# Sound card monitor - 1";
    // Appended to the title once the device has lost sound, so a gap in a recording is never silent.
    static constexpr const char* LostFormat = " (lost buffers: %u)";
    static constexpr int32_t Icon = 109;
    static constexpr const char* NoDevice = "Could not find the sound card in your system.";
    static constexpr const char* OpenFailed =
        "Could not open your sound card for playing. Please check if sound card is properly installed.";

    // Whether a window of these settings can be had, asked before anything is allocated (a workspace's
    // window length of 2^31 took 17 GB): each channel's pages count no more samples than a signal can,
    // and they and the buffers queued to the device while recording fit the machine's memory.
    static bool canBeHad(const AcquisitionSettings& settings);
    // Makes and registers the window from a copy of `settings`, with the companion for two channels;
    // null when it could not be made ("No more memory !!!" for settings that cannot be had).
    static marluneSB* create(marluneMDIClient& client, SoundDevices& devices, const AcquisitionSettings& settings);

    marluneSB(marluneMDIClient& client, SoundDevices& devices, const AcquisitionSettings& settings,
              std::unique_ptr<Signal> signal);
    ~marluneSB() override;

    const AcquisitionSettings& settings() const { return settings_; }
    bool stopped() const { return stopped_; }
    uint32_t bufferCount() const { return bufferCount_; }
    // Windows of sound the device lost since the window was made.
    uint32_t lostBuffers() const { return lostBuffers_; }
    // Buffers kept queued while recording: at least a second of sound, so a slow update of the tree
    // delays the windows instead of losing them.
    uint32_t buffersQueued() const;
    double gain(int channel) const { return channel == 0 ? gain1_ : gain2_; }
    double offset() const { return offset_; }
    // Null once the companion was closed.
    marluneSter* companion() const { return companion_; }
    // The channels the device is opened with: stereo also when one channel triggers on channel 2.
    int32_t deviceChannels() const;

    void start();
    void stop();

    // SignalOwner: the last page of channel 2 ends a stereo recording while its window exists.
    int channelMode() const override { return companion_ ? 2 : 1; }
    void recordingComplete() override { stop(); }

    std::optional<CommandState> commandState(int id) const override;
    bool command(int id) override;
    static const CommandTable<marluneSB> Table;
    void saveKindKeys(TIniHelper& ini, const std::string& section) const override;

private:
    static const CommandRow<marluneSB> Rows[];
    friend class marluneSter;

    void bufferDone(std::unique_ptr<SoundBuffer> buffer);
    void store(const int16_t* frames);
    void countLost(std::size_t samples, std::size_t bufferSamples);
    void failed(const char* message);
    void closeDevice();

    SoundDevices& devices_;
    AcquisitionSettings settings_;
    double gain1_ = 1;
    double gain2_ = 1;
    double offset_ = 0;
    bool stopped_ = true;
    uint32_t bufferCount_ = 0;
    uint32_t lostBuffers_ = 0;
    std::unique_ptr<SoundStream> stream_;
    std::unique_ptr<TriggerBuffer> trigger_;
    marluneSter* companion_ = nullptr;
};
