#pragma once
// The "Signal generator..." command: a generated signal in a window of its own.

#include "dsp/GeneratorParameters.h"

struct WindowKind;
class marluneMDIChild;
class marluneMDIClient;

// The dialog on the client's generator settings, then the window, with no parent, for the generated signal.
class GeneratorCommand {
public:
    // Title of a generated window: the creation number and the function's title name.
    static constexpr const char* TitleFormat = " %u#GEN(%s)";

    // The dialog opens on the client's settings; on OK they become the settings and the window is made.
    static marluneMDIChild* run(marluneMDIClient& client);
    // The window of a generated signal, titled by TitleFormat, X label "sec". The creation number
    // grows even when nothing is made; parameters that make no signal give a beep and no window;
    // samples or a record that cannot be allocated, "No more memory !!!" and no window.
    static marluneMDIChild* create(marluneMDIClient& client, const GeneratorParameters& parameters);
    // The entry of kind 6 in the table of window kinds: a workspace stores the parameters as Param0 ...
    // Param9, and reading them makes them the generator's settings, as the dialog would.
    static const WindowKind& kind();
};
