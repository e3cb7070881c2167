#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "kinds/WindowKindRegistration.h"
#include "soundcard/AcquisitionSettings.h"
#include "soundcard/VirtualSoundDevices.h"
#include "soundcard/VirtualSoundStream.h"
#include "soundcard/marluneSB.h"
#include "support/ScriptedUi.h"
#include "tree/ChildEvent.h"
#include "tree/CommandIds.h"
#include "tree/marluneMDIClient.h"

// Counts the windows of new data a tree window announces.
struct UpdateCounter : ChildListener {
    int updates = 0;
    void childChanged(marluneChild&, const ChildEvent& event) override { updates += event.change == ChildChange::Samples; }
};

// A client on virtual sound devices; without calibration files the samples are stored as they come.
class AcquisitionTest : public ::testing::Test {
protected:
    ScriptedUi ui;
    VirtualSoundDevices devices;
    marluneMDIClient client{ui, "/nonexistent/"};

    AcquisitionTest() { registerWindowKinds(client, &devices); }

    static AcquisitionSettings settings(int32_t rate, int32_t windowLength, int32_t seconds, int32_t decimation = 1)
    {
        AcquisitionSettings s;
        s.sampleRate = rate;
        s.windowLength = windowLength;
        s.recordingLength = seconds;
        s.decimation = decimation;
        return s;
    }

    marluneSB* started(const AcquisitionSettings& s)
    {
        marluneSB* window = marluneSB::create(client, devices, s);
        client.setActiveChild(window);
        client.dispatch(Cmd::Start);
        return window;
    }

    void append(const std::vector<int16_t>& samples)
    {
        devices.inputSamples.insert(devices.inputSamples.end(), samples.begin(), samples.end());
    }

    // The visible samples of a window's signal.
    static std::vector<float> visible(const marluneMDIChild& window)
    {
        const Signal& s = *window.signal();
        return {s.visibleSamples(), s.visibleSamples() + s.visibleCount()};
    }
};
