#include "tree/ControlDetails.h"

#include <filesystem>

#include "base/FormatText.h"
#include "signal/Signal.h"
#include "tree/marluneMDIChild.h"

namespace ControlDetails {

std::string sampleCount(const marluneChild& window)
{
    const marluneMDIChild* signalWindow = signalWindowOf(&window);
    return formatText("(%u)", signalWindow && signalWindow->signal() ? signalWindow->signal()->count() : 0u);
}

std::string fileAndVisibleCount(const marluneChild& window)
{
    const marluneMDIChild* signalWindow = signalWindowOf(&window);
    const Signal* signal = signalWindow ? signalWindow->signal() : nullptr;
    return formatText("(%.10s;%lu)", std::filesystem::path(window.fileName()).stem().string().c_str(),
                      (unsigned long)(signal ? signal->visibleCount() : 0));
}

std::string titleAfterHash(const marluneChild& window)
{
    const std::string title = window.title();
    const std::size_t hash = title.find('#');
    return hash == std::string::npos ? title : title.substr(hash + 1);
}

}  // namespace ControlDetails
