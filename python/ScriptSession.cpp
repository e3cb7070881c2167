#include "ScriptSession.h"

#include <dlfcn.h>

#include "kinds/WindowKindRegistration.h"
#include "signal/SharedSamplesSignal.h"
#include "signal/SignalKind.h"
#include "tree/marluneMDIChild.h"

namespace {
// The folder of the programs this module belongs to: the build's bin beside build/python, or the
// prefix's bin above lib/python3.../dist-packages.
std::filesystem::path executableFolder()
{
    Dl_info info{};
    dladdr(reinterpret_cast<void*>(&executableFolder), &info);
    const std::filesystem::path module = std::filesystem::weakly_canonical(info.dli_fname ? info.dli_fname : ".");
    const std::filesystem::path folder = module.parent_path();
    const std::filesystem::path build = folder.parent_path() / "bin";
    if (std::filesystem::is_directory(build / "help"))
        return build;
    return folder.parent_path().parent_path().parent_path() / "bin";
}
}  // namespace

ScriptSession::ScriptSession() : client_(ui_, ProgramPaths::forExecutable(executableFolder()))
{
    registerWindowKinds(client_, nullptr);
}

std::shared_ptr<ScriptSession> ScriptSession::make()
{
    return std::shared_ptr<ScriptSession>(new ScriptSession());
}

marluneMDIChild& ScriptSession::addRoot(std::shared_ptr<Signal> source, const std::string& title)
{
    const int32_t kind = SignalKind::isSignalWindow(source->kind()) ? source->kind() : SignalKind::FileSignal;
    auto window = std::make_unique<marluneMDIChild>(client_, kind, nullptr);
    window->replaceSignal(std::make_unique<SharedSamplesSignal>(window.get(), std::move(source)));
    // A title that came from a window keeps its number; any other gets the next one, as a new window would.
    const unsigned number = client_.nextCreationNumber();
    window->setCaption(title.find('#') != std::string::npos ? " " + title : " " + std::to_string(number) + "#" + title);
    auto* added = static_cast<marluneMDIChild*>(client_.addWindow(std::move(window)));
    if (!added)
        throw ScriptValueError(messagesOr(marluneMDIClient::TooManyWindows));
    return *added;
}

std::shared_ptr<Signal> ScriptSession::shareSignal(const marluneMDIChild& window)
{
    return std::shared_ptr<Signal>(shared_from_this(), window.signal());
}

std::string ScriptSession::messagesOr(const std::string& fallback)
{
    std::string messages = ui_.takeMessages();
    return messages.empty() ? fallback : messages;
}
