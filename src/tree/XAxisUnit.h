#pragma once
// Whether a signal window's X axis counts seconds, so that a long one may read as a clock.
class marluneMDIChild;

namespace XAxisUnit {
// Recorded, read, generated and time-domain derived signals count seconds, as their parents do; spectra,
// spectral calculator results, a Time FFT's Y ruler, logs of instrument values and a table's columns
// (whose X may be anything) do not.
bool seconds(const marluneMDIChild& window);
}  // namespace XAxisUnit
