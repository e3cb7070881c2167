#pragma once
// The instrument kinds.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <utility>

#include "tree/PendingParameters.h"
#include "tree/WindowKind.h"

class WindowKindTable;
class marluneChild;

// Their codes (stored as `Type` in workspace files, so fixed), what each reads from its parent, its title
// and the display scale it starts with.
namespace InstrumentKinds {

constexpr int32_t Mean = 71;
constexpr int32_t StandardDeviation = 72;
constexpr int32_t Maximum = 73;
constexpr int32_t Minimum = 74;
constexpr int32_t ValueAt = 75;
constexpr int32_t MaximumPosition = 76;
constexpr int32_t MinimumPosition = 77;
constexpr int32_t Sum = 78;
constexpr int32_t BandSum3D = 79;
constexpr int32_t Custom = 80;
constexpr int32_t Rms = 81;
constexpr int32_t RmsAboutMean = 82;
constexpr int32_t Thd = 83;
constexpr int32_t ThdNoise = 84;
constexpr int32_t Snr = 85;

// The visible part of an instrument's signal parent and where it lies on the X axis.
struct VisiblePart {
    std::span<const float> samples;
    long double firstX = 0;
    long double lastX = 0;
    long double sampleRate = 0;
    float yMin = 0;
    float yMax = 0;
};

// One computed value and the sample it refers to.
struct Reading {
    double value = 0;
    // Relative to the first visible sample; none when no sample is marked.
    std::optional<uint32_t> marked;
    float markedValue = 0;
};

struct Entry {
    int32_t kind = 0;
    // The command of the parent window that makes it; 0 for the kinds only files make.
    int command = 0;
    // printf format of the caption with the creation number and the parent's title.
    const char* title = nullptr;
    // printf format of the detail after its number in the control window, with the instrument's Value1.
    const char* detail = "";
    // Marks the sample it reads on its parent's curve.
    bool marks = false;
    // Reads a 3D parent's band instead of a signal parent's visible part.
    bool band3D = false;
    // The value from a signal parent's visible part (at least one sample); `x` is the instrument's Value1.
    Reading (*read)(const VisiblePart& part, long double x) = nullptr;
    // The caption when the format takes the instrument's parameters too.
    std::string (*makeTitle)(const Entry& entry, unsigned number, long double value1, long double value2,
                             const std::string& parentTitle) = nullptr;
    // The display scale [from, to] a new instrument starts with; the part is empty for a 3D parent.
    std::pair<double, double> (*scale)(const VisiblePart& part) = nullptr;
    // Asks the person for the parameters before the command makes the instrument; null when it needs none.
    AskParameters askParameters = nullptr;
    // How many of the pending parameters it keeps, as Value1 and Value2.
    int parameters = 0;
};

// The entry of an instrument kind, or null.
const Entry* find(int32_t kind);

// Puts the instrument kinds and the value log into a client's table of window kinds, with their
// creating commands.
void addTo(WindowKindTable& table);

}  // namespace InstrumentKinds
