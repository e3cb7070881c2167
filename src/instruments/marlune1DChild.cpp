#include "instruments/marlune1DChild.h"

#include <cmath>

#include "base/FormatText.h"
#include "base/UiServices.h"
#include "instruments/InstrumentMeasures.h"
#include "instruments/InstrumentSettingsIni.h"
#include "instruments/ValShowForm.h"
#include "settings/TIniHelper.h"
#include "signal/SignalKind.h"
#include "tree/CommandIds.h"
#include "tree/WindowKind.h"
#include "tree/marlune3DChild.h"
#include "tree/marluneMDIChild.h"
#include "tree/marluneMDIClient.h"

namespace {
// The visible part of a signal parent; none while it shows no samples.
std::optional<InstrumentKinds::VisiblePart> visiblePartOf(const marluneChild* parent)
{
    const marluneMDIChild* window = signalWindowOf(parent);
    const Signal* signal = window ? window->signal() : nullptr;
    if (!signal || !(signal->sampleRate() > 0) || signal->visibleCount() == 0)
        return std::nullopt;
    return InstrumentKinds::VisiblePart{{signal->visibleSamples(), signal->visibleCount()},
                                        signal->firstVisibleX(),
                                        signal->lastVisibleX(),
                                        signal->sampleRate(),
                                        signal->yMin(),
                                        signal->yMax()};
}

// The 3D data of a 3D parent; null for any other.
const FFTSignal* dataOf(const marluneChild* parent)
{
    const marlune3DChild* window = threeDWindowOf(parent);
    if (!window)
        return nullptr;
    const FFTSignal& data = window->data();
    return data.rows() > 0 && data.bins() > 0 ? &data : nullptr;
}

long double parameter(const PendingParameters& parameters, std::size_t i, int kept)
{
    return int(i) < kept && i < parameters.size() ? parameters[i] : 0;
}
}  // namespace

marlune1DChild::marlune1DChild(marluneMDIClient& client, const InstrumentKinds::Entry& kind, long double value1,
                               long double value2)
    : marluneChild(client, kind.kind), kind_(kind), settings_(InstrumentSettings::forKind(kind.kind)), value1_(value1),
      value2_(value2)
{
}

marlune1DChild::~marlune1DChild() = default;

std::unique_ptr<marluneChild> marlune1DChild::make(const WindowKind& entry, marluneMDIClient& client,
                                                   marluneChild& parent, const PendingParameters& parameters,
                                                   unsigned number)
{
    const InstrumentKinds::Entry& kind = *InstrumentKinds::find(entry.kind);
    auto window = std::make_unique<marlune1DChild>(client, kind, parameter(parameters, 0, kind.parameters),
                                                   parameter(parameters, 1, kind.parameters));
    window->setCaption(kind.makeTitle
                           ? kind.makeTitle(kind, number, window->value1_, window->value2_, parent.title())
                           : formatText(kind.title, number, parent.title().c_str()));
    const std::optional<InstrumentKinds::VisiblePart> part = visiblePartOf(&parent);
    const auto [from, to] = kind.scale(part.value_or(InstrumentKinds::VisiblePart{}));
    window->settings_.rangeFrom = from;
    window->settings_.rangeTo = to;
    window->attachToParents({&parent});
    window->setInvalid(!window->compute());
    return window;
}

bool marlune1DChild::compute()
{
    InstrumentKinds::Reading reading;
    if (kind_.band3D) {
        const FFTSignal* data = dataOf(parent());
        if (!data)
            return false;
        reading.value = InstrumentMeasures::bandSum(*data, value1_, value2_);
    } else {
        const std::optional<InstrumentKinds::VisiblePart> part = visiblePartOf(parent());
        if (!part)
            return false;
        reading = kind_.read(*part, value1_);
    }
    value_ = reading.value;
    marked_ = reading.marked;
    markedValue_ = reading.markedValue;
    alarm_ = alarmActions_.check(value_, settings_, client().ui());
    return true;
}

bool marlune1DChild::recomputeFromParents()
{
    // A parent that shows nothing leaves the last value, marked as not current.
    const bool computed = compute();
    setInvalid(!computed);
    if (!computed)
        repaint();
    return computed;
}

std::optional<Marker> marlune1DChild::marker() const
{
    if (settings_.noMarker || !settings_.markerOn || !marked_ || !std::isfinite(markedValue_))
        return std::nullopt;
    return Marker{*marked_, markedValue_, settings_.markerText, settings_.showMarkerY, settings_.showMarkerX, alarm_};
}

void marlune1DChild::applySettings(const InstrumentSettings& settings)
{
    settings_ = settings;
    settings_.clampCriticalRange();
    alarmActions_.settingsChanged();
    repaint();
    // The parent's view draws the marker.
    if (marluneChild* source = parent())
        source->repaint();
}

void marlune1DChild::properties()
{
    ValShowForm form(settings_);
    const bool accepted = client().ui().runDialog(form);
    applySettings(accepted ? form.result() : settings_);
}

void marlune1DChild::saveKindKeys(TIniHelper& ini, const std::string& section) const
{
    writeInstrumentSettings(ini, section, settings_);
    ini.writeExtended(section, Value1Key, value1_);
    ini.writeExtended(section, Value2Key, value2_);
}

void marlune1DChild::loadKindKeys(const TIniHelper& ini, const std::string& section)
{
    settings_ = readInstrumentSettings(ini, section, settings_);
    alarmActions_.settingsChanged();
    repaint();
}

const CommandRow<marlune1DChild> marlune1DChild::Rows[] = {
    {Cmd::Properties, nullptr, [](marlune1DChild& w) { w.properties(); }},
    {Cmd::InstrumentDisplay,
     [](const marlune1DChild& w) {
         return std::optional(CommandState{true, w.settings_.instrumentType != InstrumentSettings::Dial});
     },
     // "Graphical instrument" and "Number only" both switch between the dial and the number.
     [](marlune1DChild& w) {
         w.settings_.instrumentType = w.settings_.instrumentType == InstrumentSettings::Dial ? InstrumentSettings::Numeric
                                                                                           : InstrumentSettings::Dial;
         w.repaint();
     }},
};

const CommandTable<marlune1DChild> marlune1DChild::Table{"instrument", Rows};

std::optional<CommandState> marlune1DChild::commandState(int id) const
{
    if (auto state = Table.state(*this, id))
        return state;
    return marluneChild::commandState(id);
}

bool marlune1DChild::command(int id)
{
    return Table.run(*this, id) || marluneChild::command(id);
}
