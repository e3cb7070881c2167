#include "tree/SignalWindowKeys.h"

#include "settings/SpectralSettingsIni.h"
#include "settings/TIniHelper.h"
#include "tree/WindowKind.h"
#include "tree/marluneMDIChild.h"
#include "tree/marluneMDIClient.h"

namespace SignalWindowKeys {

void write(const marluneMDIChild& window, TIniHelper& ini, const std::string& section)
{
    const Signal& signal = *window.signal();
    if (!window.fileName().empty())
        ini.writeText(section, "FileName", window.fileName());
    if (window.channelNumber() != 0)
        ini.writeInt(section, "ChannelNumber", window.channelNumber());
    ini.writeInt(section, "OriginalUnits", window.originalUnits());
    ini.writeLong(section, "Step", long(window.step()));
    ini.writeText(section, "XLabel", window.xLabel());
    ini.writeText(section, "YLabel", window.yLabel());
    ini.writeInt(section, "FixedMinMax", window.fixedMinMax());
    ini.writeExtended(section, "MaximumY", signal.yMax());
    ini.writeExtended(section, "MinimumY", signal.yMin());
    ini.writeInt(section, "LogXAxis", window.logXAxis());
    ini.writeInt(section, "DrawAxes", window.drawAxes());
    ini.writeExtended(section, "SampleRate", signal.sampleRate());
    ini.writeInt(section, "SignalType", signal.kind());
    const WindowKind* entry = window.kindEntry();
    if (entry && entry->spectral)
        writeSpectralSettings(ini, section, *entry->spectral(window));
    window.saveKindKeys(ini, section);
    if (signal.zoomLevel() > 0) {
        ini.writeLong(section, "ZoomFrom", long(signal.firstVisible()));
        ini.writeLong(section, "ZoomTo", long(signal.lastVisible()));
    }
    if (const marluneMDIChild* head = window.mainSignal(); head && head != &window)
        ini.writeText(section, "MainSignal", "Window_" + std::to_string(head->index()));
}

void apply(marluneMDIChild& window, const TIniHelper& ini, const std::string& section)
{
    Signal& signal = *window.signal();
    window.setOriginalUnits(ini.readInt(section, "OriginalUnits"));
    if (const long step = ini.readLong(section, "Step"); step > 0)
        window.setStep(uint32_t(step));
    window.setXLabel(ini.readText(section, "XLabel"));
    window.setYLabel(ini.readText(section, "YLabel"));
    window.setFixedMinMax(ini.readInt(section, "FixedMinMax") != 0);
    if (window.fixedMinMax())
        signal.setYRange(float(ini.readExtended(section, "MaximumY")), float(ini.readExtended(section, "MinimumY")));
    window.setDrawAxes(ini.readInt(section, "DrawAxes") != 0);
    window.setLogXAxis(ini.readInt(section, "LogXAxis") != 0);
    const long from = ini.readLong(section, "ZoomFrom");
    const long to = ini.readLong(section, "ZoomTo");
    // A range the loaded signal cannot show (the file is shorter now) is left out.
    if (from != to && from >= 0 && to >= 0 && signal.zoomIn(uint32_t(from), uint32_t(to)))
        window.setStateMark('~');
}

}  // namespace SignalWindowKeys
