#pragma once
// Sound devices inside the process, driven by a test.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "soundcard/SoundDevices.h"

class VirtualSoundStream;

// The test says when a device completes a buffer (VirtualSoundStream::deliver, delay, drop, or pump() here
// for every stream at once) and when the user-interface loop hands the notifications out (dispatch). Input
// streams take their samples from inputSamples; whatever output streams play is appended to played.
class VirtualSoundDevices : public SoundDevices {
public:
    struct Opening {
        SoundDirection direction;
        int device;
        PcmFormat format;
    };

    explicit VirtualSoundDevices(std::vector<std::string> inputs = {"Virtual input"},
                                 std::vector<std::string> outputs = {"Virtual output"});
    ~VirtualSoundDevices() override;
    VirtualSoundDevices(const VirtualSoundDevices&) = delete;
    VirtualSoundDevices& operator=(const VirtualSoundDevices&) = delete;

    std::vector<std::string> inputNames;
    std::vector<std::string> outputNames;
    // Interleaved samples that input streams record, in order, whatever stream takes them; silence after the end.
    std::vector<int16_t> inputSamples;
    std::size_t inputPosition = 0;
    // Every sample the output streams played, in order; a dropped buffer left silence.
    std::vector<int16_t> played;
    // Every successful open, in order.
    std::vector<Opening> openings;

    // From now on the device accepts only these formats (none: it refuses every format). A device never
    // restricted accepts one or two channels at any positive rate. DefaultDevice is restricted on its own.
    void acceptOnly(SoundDirection direction, int device, std::vector<PcmFormat> formats);

    // The open streams, oldest first, and the newest open stream of a direction (null when none).
    const std::vector<VirtualSoundStream*>& streams() const { return streams_; }
    VirtualSoundStream* newest(SoundDirection direction) const;

    // The user-interface loop: hands out every posted notification in the order they were posted.
    void dispatch();
    // Notifications posted and not yet handed out.
    std::size_t pending() const { return posted_.size(); }
    // `ticks` times: every started stream completes its front buffer, then the notifications are handed out.
    void pump(int ticks = 1);

    std::vector<std::string> names(SoundDirection direction) const override;
    bool supports(SoundDirection direction, int device, const PcmFormat& format) const override;
    std::unique_ptr<SoundStream> open(SoundDirection direction, int device, const PcmFormat& format) override;

private:
    friend class VirtualSoundStream;
    struct Notification {
        VirtualSoundStream* stream;
        std::unique_ptr<SoundBuffer> buffer;
    };

    void post(VirtualSoundStream* stream, std::unique_ptr<SoundBuffer> buffer);
    // The stream closed: its notifications are dropped and it is no longer listed.
    void forget(VirtualSoundStream* stream);

    std::deque<Notification> posted_;
    std::vector<VirtualSoundStream*> streams_;
    std::map<std::pair<SoundDirection, int>, std::vector<PcmFormat>> accepted_;
};
