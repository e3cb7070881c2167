#include "tree/FileProperties.h"

#include "base/FormatText.h"
#include "base/UiServices.h"
#include "tree/marluneMDIChild.h"
#include "tree/marluneMDIClient.h"

namespace FileProperties {
std::string text(const marluneMDIChild& window)
{
    const FileFacts& facts = window.fileFacts();
    const Signal& signal = *window.signal();
    std::string lines = "File: " + window.fileName() + "\n";
    if (!facts.format.empty())
        lines += "Format: " + facts.format + "\n";
    if (facts.channels > 0)
        lines += formatText("Channels: %zu (this window shows channel %d)\n", facts.channels,
                            int(window.channelNumber()) + 1);
    if (!facts.sampleCoding.empty())
        lines += "Samples: " + facts.sampleCoding + "\n";
    const long double rate = signal.sampleRate();
    lines += formatText("Sample rate: %.10Lg Hz\n", rate);
    // The whole signal, whatever part of it the window shows.
    lines += formatText("Length: %u samples, %.6Lg s", signal.count(), rate > 0 ? signal.count() / rate : 0.0L);
    return lines;
}

void show(marluneMDIChild& window)
{
    window.client().ui().messageBox(text(window), Caption, MessageButtons::Ok, MessageIcon::Information);
}
}  // namespace FileProperties
