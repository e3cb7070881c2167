#pragma once
// Command numbers shared by menus, accelerators, the control bar and the windows that carry them out.

namespace Cmd {
// File
constexpr int OpenSignal = 24332;
constexpr int Close = 24339;
constexpr int ExportAscii = 25;
constexpr int ImportAscii = 118;
// Not numbered in the old menus: a picture or matrix file, or the clipboard's picture, as a 3D window.
constexpr int OpenPicture = 27800;
constexpr int ClipboardPicture = 27801;
// The list of recent files: entry n is RecentBase + n.
constexpr int ClearRecent = 27802;
constexpr int RecentBase = 13700;
constexpr int Export3DTriples = 127;
constexpr int Export3DMatrix = 128;
constexpr int ReplaceSignal = 7;
constexpr int SaveSignal = 24333;
constexpr int SaveSignalAs = 24334;
constexpr int SaveWorkspace = 130;
constexpr int LoadWorkspace = 131;
constexpr int SaveToolWindow = 132;
constexpr int SaveToolSubtree = 138;
constexpr int UseToolFromFile = 133;
constexpr int Exit = 24310;
constexpr int ToolBase = 13400;
// Data acquisition
constexpr int Calibration = 141;
constexpr int AcquisitionSettings = 107;
constexpr int Start = 11;
constexpr int Stop = 12560;
// Edit
constexpr int Copy = 24323;
constexpr int Cut = 24322;
constexpr int Paste = 24324;
constexpr int CopyPicture = 24342;
constexpr int ZoomIn = 24329;
constexpr int ZoomOut = 24330;
constexpr int ZoomPow2 = 24336;
constexpr int ExtractSelection = 24335;
constexpr int ExtractFromTo = 24341;
constexpr int AxesSettings = 8;
constexpr int StepChange = 1;
constexpr int SampleRateChange = 24;
constexpr int RulerSampleUnits = 3;
constexpr int SignalBeginning = 27663;
constexpr int SignalEnd = 27338;
constexpr int PlayNoSound = 30118;
constexpr int PlayWithSound = 24901;
constexpr int ChangeTitle = 136;
constexpr int Properties = 6;
// Signal tools
constexpr int SpectralDefaults = 15;
constexpr int FFT = 101;
constexpr int Filter = 104;
constexpr int Smoothing = 16;
constexpr int RemoveTrend = 17;
constexpr int RemovePeaks = 18;
constexpr int PeakHold = 26;
constexpr int Averager = 21;
constexpr int TimeFFT = 106;
constexpr int Spectrogram = 126;
constexpr int SignalLog3D = 108;
constexpr int InstrumentAt = 114;
constexpr int InstrumentMean = 110;
constexpr int InstrumentSum = 115;
constexpr int InstrumentStdDev = 111;
constexpr int InstrumentRmsNormalized = 135;
constexpr int InstrumentRms = 134;
constexpr int InstrumentMax = 112;
constexpr int InstrumentMin = 113;
constexpr int InstrumentMaxPos = 116;
constexpr int InstrumentMinPos = 117;
constexpr int InstrumentSum3D = 119;
constexpr int LogInstrument = 109;
constexpr int InstrumentDisplay = 21003;
constexpr int Generator = 5;
constexpr int Calculator = 2;
constexpr int Cepstrum = 105;
// 3D tools
constexpr int SpectrogramView = 1005;
constexpr int Ruler3D = 81;
constexpr int MeshView = 80;
constexpr int AdjustZ = 1015;
constexpr int LowFrequenciesAtBottom = 1016;
constexpr int TimeFFTStatistics = 12;
constexpr int ExtractXRuler = 9;
constexpr int ExtractYRuler = 10;
constexpr int InvertColors = 23;
constexpr int PaletteGray = 124;
constexpr int PaletteHSV = 123;
constexpr int PaletteBlue = 120;
constexpr int PaletteCopper = 122;
constexpr int PaletteHot = 121;
constexpr int PaletteWhite = 125;
constexpr int View3DPrevious = 11128;
constexpr int View3DNext = 11129;
// System control
constexpr int Link = 102;
constexpr int Unlink = 103;
constexpr int MergeParallel = 1999;
constexpr int MergeTogether = 22;
constexpr int ControlWindow = 4;
// Window
constexpr int Cascade = 24361;
constexpr int Tile = 24362;
constexpr int ArrangeIcons = 24364;
constexpr int CloseAll = 24365;
// Help
constexpr int HelpContents = 2001;
constexpr int HelpOnHelp = 2002;
constexpr int Examples = 2003;
constexpr int Online = 2005;
constexpr int About = 2009;
// Accelerators and view commands without menu items
constexpr int StepDown = 23580;
constexpr int StepUp = 23581;
constexpr int FillMean = 60;
constexpr int FillZero = 61;
constexpr int OverlayZ = 62;
constexpr int OverlayS = 24325;
constexpr int Undo = 24321;
constexpr int Clear = 24326;
constexpr int ResetData = 12797;
constexpr int HarmonicRuler = 12798;
constexpr int OverlayWithBase = 12800;
}  // namespace Cmd
