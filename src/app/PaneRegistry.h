#pragma once
// Makes the pane that shows a tree window, chosen by the window's kind.
#include <cstdint>
#include <QSize>
#include <functional>
#include <optional>
#include <vector>

class QWidget;
class marluneChild;

// It chooses as the dialog registry chooses a dialog by the form's name. A new family of windows adds its
// entry here.
class PaneRegistry {
public:
    using Accepts = bool (*)(int32_t kind);
    using Maker = std::function<QWidget*(marluneChild&)>;

    // Knows every pane of the program.
    PaneRegistry();

    // `size`: the pane's size in a new window; none for the frame's usual placement. `framed`: what a
    // window of the frame shows around the pane (a scroll bar); none for the pane alone.
    void add(Accepts accepts, Maker maker, std::optional<QSize> size = std::nullopt, Maker framed = nullptr);
    // The pane of the window, or null when no pane shows its kind: what pictures and exports show.
    QWidget* make(marluneChild& child) const;
    // What a window of the frame shows: the pane with what goes around it.
    QWidget* makeFramed(marluneChild& child) const;
    std::optional<QSize> initialSize(const marluneChild& child) const;

private:
    struct Entry {
        Accepts accepts;
        Maker maker;
        std::optional<QSize> size;
        Maker framed;
    };
    const Entry* entryOf(const marluneChild& child) const;
    std::vector<Entry> entries_;
};
