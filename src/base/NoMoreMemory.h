#pragma once
// The one message of an allocation that failed.

class UiServices;

constexpr const char* NoMoreMemoryText = "No more memory !!!";

// While its box is open (the box runs a loop in which a recording or a playback goes on and may fail again)
// further failures only beep, so boxes never pile up.
void showNoMoreMemory(UiServices& ui);
