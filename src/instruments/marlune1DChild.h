#pragma once
// An instrument (kinds 71 ... 85).
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "instruments/InstrumentAlarm.h"
#include "instruments/InstrumentKinds.h"
#include "instruments/InstrumentSettings.h"
#include "tree/PendingParameters.h"
#include "tree/marluneChild.h"
#include "views/MarkerSource.h"

struct WindowKind;

// One number from the visible part of its signal parent, or from the band of its 3D parent, recomputed with
// every update of the parent; checks its alarm each time and offers the parent's view a marker at the
// sample the number refers to. Its only children are value logs.
class marlune1DChild : public marluneChild, public MarkerSource {
public:
    // The window icon of every instrument.
    static constexpr int32_t Icon = 17021;
    // Value1 and Value2 are stored "%Lg" under these keys.
    static constexpr const char* Value1Key = "Value1";
    static constexpr const char* Value2Key = "Value2";

    marlune1DChild(marluneMDIClient& client, const InstrumentKinds::Entry& kind, long double value1,
                   long double value2);
    ~marlune1DChild() override;

    // The creation routine of the table of window kinds: titled with `number` and the parent's title,
    // set to the kind's defaults and display scale, linked under the parent and computed once. The
    // value at X takes X from the parameters, the band sum from and to.
    static std::unique_ptr<marluneChild> make(const WindowKind& entry, marluneMDIClient& client, marluneChild& parent,
                                              const PendingParameters& parameters, unsigned number);

    double value() const { return value_; }
    std::optional<long double> reading() const override { return value_; }
    long double parameterValue() const override { return value1_; }
    long double value1() const { return value1_; }
    long double value2() const { return value2_; }
    // True while the last value lay in the critical state.
    bool alarm() const { return alarm_; }
    const InstrumentSettings& settings() const { return settings_; }

    // What the properties dialog hands back, OK or Cancel: the copy is taken, the critical range
    // clamped into the scale, the instrument and its parent (for the marker) repainted.
    void applySettings(const InstrumentSettings& settings);

    // The time the alarm application is started by; tests step their own clock.
    void setClock(InstrumentAlarm::Clock clock) { alarmActions_.setClock(std::move(clock)); }

    // MarkerSource: for the kinds that mark a sample, while the marker is on and a sample is marked.
    std::optional<Marker> marker() const override;

    // The InstrumentSettings keys, then Value1 and Value2. Reading takes the settings keys over the
    // present ones; an application read so waits for the person's agreement before it first starts.
    void saveKindKeys(TIniHelper& ini, const std::string& section) const override;
    void loadKindKeys(const TIniHelper& ini, const std::string& section) override;

    std::optional<CommandState> commandState(int id) const override;
    bool command(int id) override;
    static const CommandTable<marlune1DChild> Table;

protected:
    bool recomputeFromParents() override;

private:
    static const CommandRow<marlune1DChild> Rows[];
    // The reading of the parent's current data and the alarm check; false when the parent shows none.
    bool compute();
    void properties();

    const InstrumentKinds::Entry& kind_;
    InstrumentSettings settings_;
    InstrumentAlarm alarmActions_;
    double value_ = 0;
    long double value1_;
    long double value2_;
    std::optional<uint32_t> marked_;
    float markedValue_ = 0;
    bool alarm_ = false;
};
