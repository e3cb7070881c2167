#include "tree/GeneratorCommand.h"

#include <new>

#include "base/FormatText.h"
#include "base/NoMoreMemory.h"
#include "base/UiServices.h"
#include "settings/TIniHelper.h"
#include "signal/GENSignal.h"
#include "signal/SignalKind.h"
#include "tree/ControlDetails.h"
#include "tree/GenSigForm.h"
#include "tree/WindowKind.h"
#include "tree/marluneMDIChild.h"
#include "tree/marluneMDIClient.h"

namespace {
// The icon resource of the windows whose signal comes from no other window.
std::string paramKey(std::size_t i)
{
    return "Param" + std::to_string(i);
}

const WindowKind Entry{
    .kind = SignalKind::Generated,
    .icon = 59,
    .acceptsParent = takesNoParent,
    .saveKeys = [](const marluneMDIChild& window, TIniHelper& ini, const std::string& section) {
        const GeneratorParameters& parameters = static_cast<const GENSignal&>(*window.signal()).parameters;
        for (std::size_t i = 0; i < parameters.param.size(); ++i)
            ini.writeExtended(section, paramKey(i), parameters.param[i]);
    },
    .load = [](const WorkspaceSection& section, marluneChild*) -> marluneChild* {
        GeneratorParameters& parameters = section.client.generatorSettings;
        for (std::size_t i = 0; i < parameters.param.size(); ++i)
            parameters.param[i] = section.ini.readExtended(section.name, paramKey(i));
        return GeneratorCommand::create(section.client, parameters);
    },
    .controlDetail = [](const marluneChild& window) {
        return formatText("%s (%lu)", ControlDetails::titleAfterHash(window).c_str(),
                          (unsigned long)signalWindowOf(&window)->signal()->count());
    },
};
}  // namespace

const WindowKind& GeneratorCommand::kind()
{
    return Entry;
}

marluneMDIChild* GeneratorCommand::run(marluneMDIClient& client)
{
    GenSigForm form(client.ui(), client.generatorSettings);
    if (!client.ui().runDialog(form))
        return nullptr;
    client.generatorSettings = form.result();
    return create(client, client.generatorSettings);
}

marluneMDIChild* GeneratorCommand::create(marluneMDIClient& client, const GeneratorParameters& parameters)
{
    UiServices& ui = client.ui();
    const unsigned number = client.nextCreationNumber();
    if (!parameters.usable()) {
        ui.beep();
        return nullptr;
    }
    std::unique_ptr<marluneMDIChild> window;
    try {
        WaitCursor wait(ui);
        // The creation number seeds the random values, so each random window has its own.
        std::unique_ptr<Signal> signal = GENSignal::create(nullptr, parameters, number);
        if (!signal) {
            showNoMoreMemory(ui);
            return nullptr;
        }
        window = std::make_unique<marluneMDIChild>(client, SignalKind::Generated, std::move(signal));
    } catch (const std::bad_alloc&) {
        showNoMoreMemory(ui);
        return nullptr;
    }
    window->setCaption(formatText(TitleFormat, number, GeneratorParameters::TitleNames[parameters.function()]));
    window->setXLabel("sec");
    return client.addWindow(std::move(window));
}
