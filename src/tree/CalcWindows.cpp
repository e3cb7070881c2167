#include "tree/CalcWindows.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

#include "base/FormatText.h"
#include "base/UiServices.h"
#include "dsp/CrossSpectrum.h"
#include "settings/FFTDefaultsForm.h"
#include "settings/TIniHelper.h"
#include "signal/CALCSignal.h"
#include "signal/SignalKind.h"
#include "tree/CalcForm.h"
#include "tree/ControlDetails.h"
#include "tree/DerivedWindows.h"
#include "tree/XAxisUnit.h"
#include "tree/marluneMDIChild.h"
#include "tree/marluneMDIClient.h"

namespace {
constexpr int32_t CalcIcon = 58;

const marluneMDIChild* operandWindow(const marluneMDIClient& client, uint32_t index)
{
    return index < uint32_t(marluneMDIClient::MaxWindows) ? signalWindowOf(client.window(int(index))) : nullptr;
}

CALCSignal::OperandLookup lookupIn(const marluneMDIClient& client)
{
    return [&client](uint32_t index) -> const Signal* {
        const marluneMDIChild* window = operandWindow(client, index);
        return window ? window->signal() : nullptr;
    };
}

// A window's number as the title shows it: its caption up to the first "#".
std::string numberOf(const marluneChild& window)
{
    const std::string& caption = window.caption();
    return caption.substr(0, caption.find('#'));
}

CALCSignal& calcOf(marluneMDIChild& window)
{
    return static_cast<CALCSignal&>(*window.signal());
}

// A spectral result has a frequency axis and its measure's unit instead of the operands'; any other
// result, a combination of spectra too, keeps the first operand's.
void labelsFor(marluneMDIChild& window, const marluneMDIChild& primary)
{
    const CALCSignal& result = calcOf(window);
    const bool spectral = result.spectralResult();
    window.setXLabel(spectral ? "Hz" : primary.xLabel());
    window.setYLabel(spectral ? CrossSpectrum::unit(result.spectralOperator(), result.spectral) : primary.yLabel());
}

RecomputeOutcome recompute(marluneMDIChild& window, marluneChild&)
{
    const CALCSignal& old = calcOf(window);
    auto next = std::make_unique<CALCSignal>(&window, old.program(), old.spectral);
    switch (next->evaluate(lookupIn(window.client()), &old)) {
    case CALCSignal::Outcome::Done:
        break;
    case CALCSignal::Outcome::NoMemory:
        window.client().ui().messageBox("No more memory for CALC!!!");
        return RecomputeOutcome::Invalid;
    case CALCSignal::Outcome::Invalid:
        return RecomputeOutcome::Invalid;
    }
    window.replaceSignal(std::move(next));
    if (const marluneMDIChild* primary = signalWindowOf(window.parent()))
        labelsFor(window, *primary);
    return RecomputeOutcome::Updated;
}

void properties(marluneMDIChild& window)
{
    UiServices& ui = window.client().ui();
    FFTDefaultsForm form(ui, calcOf(window).spectral, FFTDefaultsForm::Context::Calculator);
    if (!ui.runDialog(form))
        return;
    calcOf(window).spectral = form.result();
    DerivedWindows::refresh(window);
}

// Operands are written as the sections of their windows, operators as the character of their code.
void saveElements(const marluneMDIChild& window, TIniHelper& ini, const std::string& section)
{
    const CalcProgram& program = static_cast<const CALCSignal&>(*window.signal()).program();
    const auto& elements = program.elements();
    ini.writeInt(section, "ElementCount", int(elements.size()));
    for (std::size_t i = 0; i < elements.size(); ++i) {
        const std::string key = "Element_" + std::to_string(i + 1);
        if (CalcProgram::isOperand(elements[i]))
            ini.writeText(section, key, "Window_" + std::to_string(uint32_t(elements[i])));
        else
            ini.writeText(section, key, std::string(1, char(int(elements[i]) - CalcOperator::Base)));
    }
}

// Every operand must have been made from its section already.
marluneChild* loadCalc(const WorkspaceSection& section, marluneChild* parent)
{
    if (!parent)
        return nullptr;
    std::vector<long double> elements;
    // Each element is a key of the section, so the section bounds the count (a stored 2^31 would
    // otherwise fill gigabytes with missing elements).
    const auto count = std::min<int64_t>(section.ini.readInt(section.name, "ElementCount"),
                                         int64_t(section.ini.keyCount(section.name)));
    for (int64_t i = 1; i <= count; ++i) {
        const std::string element = section.ini.readText(section.name, "Element_" + std::to_string(i));
        if (element.find("Window") != std::string::npos) {
            const marluneChild* operand = section.made(element);
            if (!operand)
                return nullptr;
            elements.push_back(operand->index());
        } else {
            elements.push_back(CalcOperator::Base + (element.empty() ? 0 : (unsigned char)element.front()));
        }
    }
    return CalcWindows::create(section.client, CalcProgram(std::move(elements)), section.spectral);
}

const WindowKind Entry{
    .kind = SignalKind::Calculator,
    .title = " %u#CALC(%s)",
    // After a spectral measure X is a frequency; otherwise it is the first operand's.
    .xInSeconds = [](const marluneMDIChild& window) {
        if (window.signal() && static_cast<const CALCSignal&>(*window.signal()).spectralResult())
            return false;
        const marluneMDIChild* first = signalWindowOf(window.parent());
        return !first || XAxisUnit::seconds(*first);
    },
    .icon = CalcIcon,
    .recompute = recompute,
    .properties = properties,
    .offersProperties = [](const marluneMDIChild& window) {
        return static_cast<const CALCSignal&>(*window.signal()).spectralResult();
    },
    .saveKeys = saveElements,
    .spectral = [](const marluneChild& window) -> const SpectralSettings* {
        return &static_cast<const CALCSignal&>(*signalWindowOf(&window)->signal()).spectral;
    },
    .load = loadCalc,
    // The expression in parentheses: the title from the fifth character after "#" on.
    .controlDetail = [](const marluneChild& window) {
        const std::string after = ControlDetails::titleAfterHash(window);
        return after.size() > 4 ? after.substr(4) : std::string();
    },
};
}  // namespace

namespace CalcWindows {

void command(marluneMDIClient& client)
{
    std::vector<CalcForm::Available> available;
    for (int i = 0; i <= client.highestIndex(); ++i)
        if (const marluneMDIChild* window = signalWindowOf(client.window(i)))
            available.push_back({uint32_t(i), window->caption()});
    CalcForm form(client.ui(), std::move(available), [&client](uint32_t index, bool on) {
        if (marluneChild* window = client.window(int(index)))
            window->setFlashing(on);
    });
    const bool confirmed = client.ui().runDialog(form);
    form.closed();
    if (confirmed)
        create(client, form.program(), client.spectralSettings);
}

marluneMDIChild* create(marluneMDIClient& client, const CalcProgram& program, const SpectralSettings& settings)
{
    if (!program.complete())
        return nullptr;
    std::vector<marluneChild*> parents;
    for (uint32_t index : program.operands()) {
        const marluneMDIChild* operand = operandWindow(client, index);
        if (!operand)
            return nullptr;
        parents.push_back(client.window(int(index)));
    }
    const unsigned number = client.nextCreationNumber();
    auto window = std::make_unique<marluneMDIChild>(client, SignalKind::Calculator, nullptr);
    auto signal = std::make_unique<CALCSignal>(window.get(), program, settings);
    const CALCSignal::Outcome outcome = signal->evaluate(lookupIn(client));
    if (outcome == CALCSignal::Outcome::NoMemory) {
        client.ui().messageBox("No more memory for CALC!!!");
        return nullptr;
    }
    const std::string expression =
        program.expressionText([&client](uint32_t index) { return numberOf(*client.window(int(index))); });
    window->setCaption(formatText(Entry.title, number, expression.c_str()));
    window->replaceSignal(std::move(signal));
    const marluneMDIChild& primary = *signalWindowOf(parents.front());
    labelsFor(*window, primary);
    window->setCurveColour(primary.curveColour());
    // A result that cannot be computed now is shown as invalid until its operands change.
    window->setInvalid(outcome == CALCSignal::Outcome::Invalid);
    window->attachToParents(parents);
    return client.addWindow(std::move(window));
}

const WindowKind& kind()
{
    return Entry;
}

}  // namespace CalcWindows
