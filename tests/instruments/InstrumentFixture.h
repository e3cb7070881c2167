#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "instruments/InstrumentKinds.h"
#include "instruments/marlune1DChild.h"
#include "kinds/WindowKindRegistration.h"
#include "signal/Signal.h"
#include "signal/SignalKind.h"
#include "support/ScriptedUi.h"
#include "tree/marluneMDIChild.h"
#include "tree/marluneMDIClient.h"

// A client with the instrument kinds in its table of window kinds, and file windows to put instruments on.
class InstrumentTest : public ::testing::Test {
protected:
    InstrumentTest() { registerWindowKinds(client, nullptr); }

    ScriptedUi ui;
    marluneMDIClient client{ui, "/nonexistent/"};

    marluneMDIChild* fileWindow(const std::vector<float>& samples, long double rate = 1000, long double xOffset = 0)
    {
        auto signal = std::make_unique<Signal>(nullptr, SignalKind::FileSignal, samples.data(),
                                               uint32_t(samples.size()), rate, xOffset);
        auto w = std::make_unique<marluneMDIChild>(client, SignalKind::FileSignal, std::move(signal));
        w->setCaption(" " + std::to_string(client.nextCreationNumber()) + "#file");
        return static_cast<marluneMDIChild*>(client.addWindow(std::move(w)));
    }

    // The command on the window, as the menu sends it; the window it made, or null.
    marlune1DChild* byCommand(marluneChild* parent, int command)
    {
        const std::size_t before = client.windows().size();
        client.setActiveChild(parent);
        client.dispatch(command);
        if (client.windows().size() == before)
            return nullptr;
        return dynamic_cast<marlune1DChild*>(client.windows().back());
    }
};
