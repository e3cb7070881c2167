#pragma once
// The axis tick rule shared by the signal view, the 3D view and the instrument dial.
#include <string>
#include <vector>

// A step of 1 ... 10 times a power of ten that gives 5 to 10 ticks over [a, b]; 0 (no ticks) when
// the width of the range is 0, infinite or NaN.
double TickStep(double a, double b);
// The smallest multiple of `step` that is not below `a`.
double FirstTick(double a, double step);
// The ticks FirstTick(a, step), + step ... while below b; none when the range has no usable step.
// No axis gets more than a thousand, whatever the range.
// A tick that only rounding keeps from 0 is 0.
std::vector<double> LinearTicks(double a, double b);
// The label of a tick, "%.5G", with more significant digits where ticks `step` apart would otherwise
// read alike (7199.96 and 7199.98 both "7200"); a zero reads "0", never "-0".
std::string TickLabel(double value, double step = 0);

// An axis of seconds over [a, b] reads as a clock, hours, minutes and seconds, once it reaches past an
// hour; below that it stays in seconds.
bool ReadsAsClock(double a, double b);
// A time in seconds as h:mm:ss with as many decimals as ticks `step` apart need to read apart
// (1:59:59.96, 1:59:59.98), a minus sign before a negative time; TickLabel where the step is finer than
// a nanosecond or the value is not finite.
std::string ClockLabel(double seconds, double step);
