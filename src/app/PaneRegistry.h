#pragma once
#include <cstdint>
#include <functional>
#include <vector>

class QWidget;
class marluneChild;

// Makes the pane that shows a tree window, chosen by the window's kind, as the dialog registry
// chooses a dialog by the form's name. A new family of windows adds its entry here.
class PaneRegistry {
public:
    using Accepts = bool (*)(int32_t kind);
    using Maker = std::function<QWidget*(marluneChild&)>;

    // Knows every pane of the program.
    PaneRegistry();

    void add(Accepts accepts, Maker maker);
    // The pane of the window, or null when no pane shows its kind.
    QWidget* make(marluneChild& child) const;

private:
    struct Entry {
        Accepts accepts;
        Maker maker;
    };
    std::vector<Entry> entries_;
};
