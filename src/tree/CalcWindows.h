#pragma once
// Calculator windows (kind 51).
#include "dsp/CalcProgram.h"
#include "dsp/SpectralSettings.h"
#include "tree/WindowKind.h"

class marluneMDIChild;
class marluneMDIClient;

// Made from an expression over several signal windows, every distinct operand window a parent (the first
// the primary one), evaluated again whenever any of them changes.
namespace CalcWindows {
// "Signal calculator...": the dialog, then the new window.
void command(marluneMDIClient& client);
// A window for a complete program whose operands are signal windows of the client, under `settings`;
// null when that is not so or the memory ran out ("No more memory for CALC!!!").
marluneMDIChild* create(marluneMDIClient& client, const CalcProgram& program, const SpectralSettings& settings);
// The entry of kind 51 in the table of window kinds.
const WindowKind& kind();
}  // namespace CalcWindows
