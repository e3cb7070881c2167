#pragma once
// The extract of a signal window's selection, and the properties and reset its kind's entry offers.
#include "base/CommandTable.h"

class marluneMDIChild;

// "Extract selection", and "Properties..." and "Reset data" of the kinds whose table entry has them. The
// commands that make a derived kind are those of the kinds' entries.
class ProcessingCommands {
public:
    static const CommandTable<marluneMDIChild> Table;

private:
    static const CommandRow<marluneMDIChild> Rows[];

    explicit ProcessingCommands(marluneMDIChild& window) : window_(window) {}
    void extractSelection();

    marluneMDIChild& window_;
};
