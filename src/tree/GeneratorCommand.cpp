#include "tree/GeneratorCommand.h"

#include <new>

#include "base/FormatText.h"
#include "base/UiServices.h"
#include "signal/GENSignal.h"
#include "signal/SignalKind.h"
#include "tree/GenSigForm.h"
#include "tree/marluneMDIChild.h"
#include "tree/marluneMDIClient.h"

namespace {
// The icon resource of the windows whose signal comes from no other window.
constexpr int32_t SignalIcon = 59;
}  // namespace

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
            ui.beep();
            return nullptr;
        }
        window = std::make_unique<marluneMDIChild>(client, SignalKind::Generated, std::move(signal));
    } catch (const std::bad_alloc&) {
        ui.messageBox("No more memory !!!");
        return nullptr;
    }
    window->setCaption(formatText(TitleFormat, number, GeneratorParameters::TitleNames[parameters.function()]));
    window->setXLabel("sec");
    window->setIcon(SignalIcon);
    return static_cast<marluneMDIChild*>(client.addWindow(std::move(window)));
}
