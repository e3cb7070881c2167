#include "instruments/InstrumentSettingsIni.h"

#include "settings/TIniHelper.h"

void writeInstrumentSettings(TIniHelper& ini, const std::string& section, const InstrumentSettings& s)
{
    ini.writeText(section, "Units", s.units);
    ini.writeDouble(section, "RangeFrom", s.rangeFrom);
    ini.writeDouble(section, "RangeTo", s.rangeTo);
    ini.writeInt(section, "InstrumentType", s.instrumentType);
    ini.writeInt(section, "AlarmBeep", s.alarmBeep);
    ini.writeInt(section, "AlarmInner", s.alarmInner);
    ini.writeDouble(section, "AlarmRangeFrom", s.alarmRangeFrom);
    ini.writeDouble(section, "AlarmRangeTo", s.alarmRangeTo);
    ini.writeInt(section, "MarkerOn", s.markerOn);
    ini.writeText(section, "MarkerText", s.markerText);
    ini.writeInt(section, "ShowMarkerX", s.showMarkerX);
    ini.writeInt(section, "ShowMarkerY", s.showMarkerY);
    ini.writeText(section, "AppExec", s.appExec);
    ini.writeLong(section, "AppExecTime", s.appExecTime);
}

InstrumentSettings readInstrumentSettings(const TIniHelper& ini, const std::string& section, InstrumentSettings s)
{
    s.units = ini.readText(section, "Units");
    s.rangeFrom = double(ini.readExtended(section, "RangeFrom"));
    s.rangeTo = double(ini.readExtended(section, "RangeTo"));
    s.instrumentType = ini.readInt(section, "InstrumentType");
    s.alarmBeep = ini.readInt(section, "AlarmBeep") != 0;
    s.alarmInner = ini.readInt(section, "AlarmInner") != 0;
    s.alarmRangeFrom = double(ini.readExtended(section, "AlarmRangeFrom"));
    s.alarmRangeTo = double(ini.readExtended(section, "AlarmRangeTo"));
    s.markerOn = ini.readInt(section, "MarkerOn") != 0;
    s.markerText = ini.readText(section, "MarkerText");
    s.showMarkerX = ini.readInt(section, "ShowMarkerX") != 0;
    s.showMarkerY = ini.readInt(section, "ShowMarkerY") != 0;
    s.appExec = ini.readText(section, "AppExec");
    s.appExecTime = int32_t(ini.readLong(section, "AppExecTime"));
    s.fitTexts();
    s.applicationUnconfirmed = !s.appExec.empty();
    return s;
}
