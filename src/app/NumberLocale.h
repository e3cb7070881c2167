#pragma once
// Numbers are written and read with a decimal point whatever the desktop's language.

// Files, dialogs and the status bar go through the C library (printf, strtod) and Qt's number texts, and
// both are set to the C locale here. A QApplication takes the environment's locale when it is made, so this
// runs right after.
void useCNumberLocale();
