#pragma once
// The windows selected in the control window and the commands of its drawing area.
#include <cstdint>
#include <set>
#include <vector>

#include "base/CommandTable.h"

class marluneChild;
class marluneMDIChild;
class marluneMDIClient;

// Each one applied to every selected window, the dialogs asked once for all of them. The selected signal
// windows are the selected windows of kinds 1 ... 68, in index order.
class ControlSelection : public CommandTarget {
public:
    explicit ControlSelection(marluneMDIClient& client) : client_(client) {}

    // Slots of the client's table.
    const std::set<int>& selectedSlots() const { return selected_; }
    bool selected(int slot) const { return selected_.contains(slot); }
    void toggle(int slot);
    void selectAll();
    void unselectAll();
    void invert();
    // Forgets slots whose windows are gone; a new window in a freed slot starts unselected.
    void dropClosed();
    // "Hide selected" and "Show selected".
    void setVisible(bool visible);

    std::vector<marluneChild*> windows() const;
    std::vector<marluneMDIChild*> signalWindows() const;
    // The arrow keys: each selected signal window one step towards the beginning or the end, then one
    // update of everything below all the windows that moved.
    void step(bool towardsEnd);

    // The table's commands; "Select all" and the others of the background menu are the functions above,
    // as their numbers mean other things in the main menus.
    std::optional<CommandState> commandState(int id) const override;
    bool command(int id) override;
    static const CommandTable<ControlSelection> Table;

private:
    static const CommandRow<ControlSelection> Rows[];

    bool sameSampleRate() const;
    void zoomToPowerOfTwo();
    // The command of a processed kind for each selected signal window, its parameters asked once.
    void deriveEach(int id);
    void changeStep();
    void merge(int32_t kind);
    // Sends the command to each selected window that takes it.
    void forEach(int id, bool signalWindowsOnly);

    marluneMDIClient& client_;
    std::set<int> selected_;
};
