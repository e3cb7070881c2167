#pragma once
// The file commands of a signal window: save, save as, export as ASCII and replace signal.
#include "base/CommandTable.h"

class marluneMDIChild;

class SignalFileCommands {
public:
    static const CommandTable<marluneMDIChild> Table;

private:
    static const CommandRow<marluneMDIChild> Rows[];

    explicit SignalFileCommands(marluneMDIChild& window) : window_(window) {}
    void save();
    void saveAs();
    void exportAscii();
    void replaceSignal();

    marluneMDIChild& window_;
};
