#!/usr/bin/env python3
"""Writes the example workspaces of resources/EXAMPLES over the bundled example signal, and the custom
tools of resources/TOOLS that the tool menus list.

Each example is an ordinary workspace file: window sections with the keys the program writes, a Root
section with its roots, the active window and a Message shown after loading. File names are relative,
so the examples open wherever the program folder is. A tool is the file "Window and its subtree..."
saves: a Root section naming the kind of window it was saved under and its first window's section.
"""
import pathlib

RESOURCES = pathlib.Path(__file__).resolve().parent.parent / "resources"
HERE = RESOURCES / "EXAMPLES"
TOOLS = RESOURCES / "TOOLS"
# A WAV file's window: what the shipped tools were saved under, so they apply to any signal window.
WAV_WINDOW = 22

SPECTRAL_DEFAULTS = [
    ("FFT_DoNormalize", 0), ("FFT_DoRemoveLinTrend", 0), ("FFT_RemovePeaksVal", 2), ("FFT_DoRemovePeaks", 0),
    ("FFT_DoTaper", 1), ("FFT_TaperVal", 20), ("FFT_DoExpandWithZeros", 0), ("FFT_ExpandWithZerosVal", 0),
    ("FFT_Show", 2), ("FFT_DoSmooth", 0), ("FFT_SmoothWindow", 3), ("FFT_Window", 0), ("FFT_SmoothLen", 15),
    ("FFT_DoTestPeaks", 0), ("FFT_TestPeaksLevel", 5), ("FFT_Type", 0), ("FFT_Average", 0),
]


class Workspace:
    def __init__(self, message):
        self.sections = {}
        self.roots = []
        self.active = None
        self.message = message

    def window(self, index, kind, place, parent=None, linked=1, **keys):
        """A window section; `place` is (left, top, right, bottom) in ten-thousandths of the client area."""
        name = f"Window_{index}"
        left, top, right, bottom = place
        section = [("Type", kind), ("Linked", linked), ("Window_Left", left), ("Window_Right", right),
                   ("Window_Bottom", bottom), ("Window_Top", top), ("Visible", 1)]
        section += list(keys.items())
        self.sections[name] = section
        if parent is None:
            self.roots.append(name)
        else:
            children = [k for k, _ in self.sections[parent] if k.startswith("Child_")]
            self.sections[parent].insert(7 + len(children), (f"Child_{len(children) + 1}", name))
        return name

    def write(self, file_name):
        lines = ["[Root]"]
        lines += [f"Root_{i + 1}={root}" for i, root in enumerate(self.roots)]
        if self.active:
            lines.append(f"ActiveWindow={self.active}")
        lines.append(f"Message={self.message}")
        self.write_file(HERE / file_name, lines)

    def write_tool(self, file_name, applied_to):
        """The first window with its subtree as a custom tool saved under a window of kind `applied_to`."""
        self.write_file(TOOLS / file_name, ["[Root]", f"AppliedTo={applied_to}", f"Section={next(iter(self.sections))}"])

    def write_file(self, path, lines):
        for name, keys in self.sections.items():
            lines += ["", f"[{name}]"] + [f"{k}={v}" for k, v in keys]
        path.parent.mkdir(exist_ok=True)
        path.write_text("\n".join(lines) + "\n")


def signal_keys(x_label, y_label, rate, signal_type, step=30, **extra):
    keys = {"OriginalUnits": 1, "Step": step, "XLabel": x_label, "YLabel": y_label, "FixedMinMax": 0,
            "MaximumY": 0, "MinimumY": 0, "LogXAxis": 0, "DrawAxes": 1, "SampleRate": rate,
            "SignalType": signal_type}
    keys.update(extra)
    return keys


def example_channels(ws):
    """The two channel windows of example.wav side by side at the top, as Window_0 and Window_1."""
    left = ws.window(0, 22, (0, 0, 5000, 3300),
                     **signal_keys("sec", "", 22050, 22, FileName="example.wav", Channel_1="Window_1"))
    right = ws.window(1, 22, (5000, 0, 10000, 3300),
                      **signal_keys("sec", "", 22050, 22, FileName="example.wav", ChannelNumber=1,
                                    MainSignal="Window_0"))
    return left, right


def spectral(**changes):
    return {k: changes.get(k, v) for k, v in SPECTRAL_DEFAULTS}


def spectral_analysis():
    ws = Workspace("Spectral analysis of example.wav: the left channel (a rising sweep in noise) with its "
                   "spectrum, a band-pass filter from 400 to 1200 Hz and the filtered spectrum, and a spectrogram; "
                   "the right channel (a chord of 440, 660 and 880 Hz) with its averaged spectrum. "
                   "Zoom or scroll the left channel and everything below it follows.")
    left, right = example_channels(ws)
    ws.window(2, 2, (0, 3300, 3333, 6600), left, **signal_keys("Hz", "Magnitude", 0, 2), **spectral())
    band = ws.window(3, 3, (3333, 3300, 6666, 6600), left,
                     **signal_keys("sec", "", 22050, 3, FromFreq=400, ToFreq=1200, FilterType=2))
    ws.window(4, 2, (3333, 6600, 6666, 9900), band, **signal_keys("Hz", "Magnitude", 0, 2), **spectral())
    ws.window(5, 151, (0, 6600, 3333, 9900), left,
              ColorPalette=1, XLabel="sec", YLabel="Hz", ZLabel="Magnitude", ShowAxes=1, FixedMinMax=0, MaximumZ=0,
              MinimumZ=0, ViewX=-1, ViewY=-1, FillSegments=1, SegmentsCount=200, RulerOn=0, RulerX=0, RulerY=0,
              FFTPrecision=512, FFTFromFreq=0, FFTToFreq=11025, **spectral())
    ws.window(6, 2, (6666, 3300, 10000, 6600), right, **signal_keys("Hz", "Magnitude", 0, 2), **spectral(FFT_Average=1))
    ws.active = left
    ws.write("spectral-analysis.mws")


def calculator():
    ws = Workspace("The signal calculator on example.wav: the difference of the two channels, the product of "
                   "the right channel with a generated 440 Hz sine (a mixer: each tone of the chord appears "
                   "440 Hz above and below itself), and the spectrum of that product.")
    left, right = example_channels(ws)
    # Sine, 22050 Hz, 3 s (66150 samples), amplitude 1 about 0, 440 Hz.
    generator = ws.window(2, 6, (0, 3300, 5000, 6600),
                          **signal_keys("sec", "", 22050, 6, Param0=22050, Param1=3, Param2=66150, Param3=1,
                                        Param4=-1, Param5=440, Param6=0, Param7=0, Param8=0, Param9=0))
    difference = ws.window(3, 51, (5000, 3300, 10000, 6600), left,
                           **signal_keys("sec", "", 22050, 51, ElementCount=3, Element_1="Window_0", Element_2="-",
                                         Element_3="Window_1"), Parent_1="Window_0", Parent_2="Window_1",
                           **spectral())
    ws.sections[right].insert(7, ("Child_1", difference))
    product = ws.window(4, 51, (0, 6600, 5000, 9900), right,
                        **signal_keys("sec", "", 22050, 51, ElementCount=3, Element_1="Window_1", Element_2="*",
                                      Element_3="Window_2"), Parent_1="Window_1", Parent_2="Window_2",
                        **spectral())
    ws.sections[generator].insert(7, ("Child_1", product))
    ws.window(5, 2, (5000, 6600, 10000, 9900), product, **signal_keys("Hz", "Magnitude", 0, 2), **spectral())
    ws.active = product
    ws.write("calculator.mws")


def live_acquisition():
    ws = Workspace("Live acquisition from the default sound input at 44100 Hz in windows of 2048 samples: "
                   "its spectrum, a spectrogram linked to it, the RMS, maximum and mean as instruments and a "
                   "log of the RMS. Press START on the acquisition window to record.")
    acquisition = ws.window(0, 8, (0, 0, 5000, 3300),
                            **signal_keys("sec", "FS", 44100, 8, FixedMinMax=1, MaximumY=1, MinimumY=-1,
                                          DeviceType=0, DeviceID=-1, Decimation=1, NumberOfChannels=1,
                                          TotalLength=0, SegmentLength=2048, TriggerOn=0, TriggerTreshold=10,
                                          TriggerChannel=1, TriggerReArm=0, TriggerSkipSamples=0,
                                          Calibration="default.cal"))
    ws.window(1, 2, (5000, 0, 10000, 3300), acquisition, **signal_keys("Hz", "Magnitude", 0, 2), **spectral())
    ws.window(2, 151, (0, 3300, 5000, 6600), acquisition,
              ColorPalette=4, XLabel="sec", YLabel="Hz", ZLabel="Magnitude", ShowAxes=1, FixedMinMax=0, MaximumZ=0,
              MinimumZ=0, ViewX=-1, ViewY=-1, FillSegments=1, SegmentsCount=100, RulerOn=0, RulerX=0, RulerY=0,
              FFTPrecision=1024, FFTFromFreq=0, FFTToFreq=22050, **spectral())
    instrument = dict(Units="FS", RangeFrom=0, RangeTo=1, InstrumentType=0, AlarmBeep=0, AlarmInner=0,
                      AlarmRangeFrom=0, AlarmRangeTo=0, MarkerOn=0, MarkerText="", ShowMarkerX=0, ShowMarkerY=0,
                      AppExec="", AppExecTime=0, Value1=0, Value2=0)
    rms = ws.window(3, 81, (5000, 3300, 6666, 6600), acquisition, **instrument)
    ws.window(4, 73, (6666, 3300, 8333, 6600), acquisition, **instrument)
    ws.window(5, 71, (8333, 3300, 10000, 6600), acquisition, **dict(instrument, RangeFrom=-1))
    ws.window(6, 9, (5000, 6600, 10000, 9900), rms, **signal_keys("sample", "", 1, 9, MaxLength=500))
    ws.active = acquisition
    ws.write("live-acquisition.mws")


def time_fft_keys(azimuth, elevation, segments, precision, **changes):
    """A Time FFT window over the whole band (the bins stop at half the rate); azimuth and elevation -1
    make the spectrogram view."""
    return dict(ColorPalette=1, XLabel="sec", YLabel="Hz", ZLabel="Magnitude", ShowAxes=1, FixedMinMax=0, MaximumZ=0,
                MinimumZ=0, ViewX=azimuth, ViewY=elevation, FillSegments=1, SegmentsCount=segments, RulerOn=0,
                RulerX=0, RulerY=0, FFTPrecision=precision, FFTFromFreq=0, FFTToFreq=1000000000, **spectral(**changes))


def tools():
    """Tools for any signal window; each places its windows where the MDI area puts new ones."""
    place = (0, 0, 0, 0)
    ws = Workspace("")
    ws.window(1, 2, place, **signal_keys("Hz", "Magnitude", 0, 2), **spectral())
    ws.write_tool("spectrum.mwt", WAV_WINDOW)

    ws = Workspace("")
    ws.window(1, 151, place, **time_fft_keys(-1, -1, 200, 512))
    ws.write_tool("spectrogram.mwt", WAV_WINDOW)

    # The mesh seen from an azimuth of 150 and an elevation of 50 degrees, as the Time FFT dialog offers.
    ws = Workspace("")
    ws.window(1, 151, place, **time_fft_keys(15, 3, 50, 1024))
    ws.write_tool("time-fft.mwt", WAV_WINDOW)

    ws = Workspace("")
    spectrum = ws.window(1, 2, place, **signal_keys("Hz", "Magnitude", 0, 2), **spectral())
    ws.window(2, 81, place, spectrum, Units="", RangeFrom=0, RangeTo=1, InstrumentType=0, AlarmBeep=0,
              AlarmInner=0, AlarmRangeFrom=0, AlarmRangeTo=0, MarkerOn=0, MarkerText="", ShowMarkerX=0,
              ShowMarkerY=0, AppExec="", AppExecTime=0, Value1=0, Value2=0)
    ws.write_tool("spectrum-rms.mwt", WAV_WINDOW)


if __name__ == "__main__":
    spectral_analysis()
    calculator()
    live_acquisition()
    tools()
