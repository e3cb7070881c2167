#pragma once
#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <vector>

#include "signal/Signal.h"
#include "signal/SignalKind.h"
#include "support/ScriptedUi.h"
#include "tree/ChildEvent.h"
#include "tree/marluneMDIChild.h"
#include "tree/marluneMDIClient.h"

// A derived window that records each recomputation in a shared log.
class LoggingChild : public marluneMDIChild {
public:
    LoggingChild(marluneMDIClient& client, std::string name, std::vector<std::string>& log)
        : marluneMDIChild(client, SignalKind::Smoothed, makeRamp(64)), name_(std::move(name)), log_(log)
    {
    }
    static std::unique_ptr<Signal> makeRamp(uint32_t n)
    {
        std::vector<float> v(n);
        std::iota(v.begin(), v.end(), 0.0f);
        return std::make_unique<Signal>(nullptr, SignalKind::FileSignal, v.data(), n, 1000);
    }
    bool failNext = false;

protected:
    bool recomputeFromParents() override
    {
        log_.push_back(name_);
        if (failNext) {
            failNext = false;
            setInvalid(true);
            repaint();
            return false;
        }
        setInvalid(false);
        return true;
    }

private:
    std::string name_;
    std::vector<std::string>& log_;
};

// Counts what the windows it listens to announce, as a pane would hear it.
class FakeView : public ChildListener {
public:
    int repaints = 0;
    int captions = 0;
    bool closed = false;
    std::vector<ChildChange> heard;
    void childChanged(marluneChild&, const ChildEvent& event) override
    {
        heard.push_back(event.change);
        repaints += event.change == ChildChange::Repaint;
        captions += event.change == ChildChange::Caption;
        closed = closed || event.change == ChildChange::Closing;
    }
};

class TreeTest : public ::testing::Test {
protected:
    FakeView view;  // outlives the client, which tells it when its window closes
    ScriptedUi ui;
    marluneMDIClient client{ui, "/nonexistent/"};
    std::vector<std::string> log;

    marluneMDIChild* fileWindow(uint32_t n = 1000)
    {
        auto w = std::make_unique<marluneMDIChild>(client, SignalKind::FileSignal, LoggingChild::makeRamp(n));
        w->setCaption(" " + std::to_string(client.nextCreationNumber()) + "#file");
        return static_cast<marluneMDIChild*>(client.addWindow(std::move(w)));
    }
    LoggingChild* derived(const std::string& name, std::vector<marluneChild*> parents)
    {
        auto w = std::make_unique<LoggingChild>(client, name, log);
        w->attachToParents(parents);
        return static_cast<LoggingChild*>(client.addWindow(std::move(w)));
    }
};
