#pragma once
// The marker an instrument draws on the curve of the signal pane it is attached to.
#include <cstdint>
#include <optional>
#include <string>


// What a marker-drawing instrument tells the signal pane it is attached to.
struct Marker {
    uint32_t position = 0;  // sample index relative to the zoom start
    float value = 0;
    std::string name;
    bool showValue = false;
    bool showPosition = false;
    bool alarm = false;
};

// Implemented by the instruments that can mark their result on the parent's curve.
class MarkerSource {
public:
    // None while the instrument's marker is switched off.
    virtual std::optional<Marker> marker() const = 0;

protected:
    ~MarkerSource() = default;
};
