#pragma once
// An overlay window: the signals of several signal windows drawn together in one plot or in stacked bands.
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "base/Rgb.h"
#include "tree/WindowKind.h"
#include "tree/marluneChild.h"
#include "views/CurveDisplay.h"

class marluneMDIChild;
template <class Owner>
struct BoundKey;

// An overlay window: the signals of several signal windows drawn together, either into one plot with a
// common Y range (kind -3) or in equal stacked bands, each with its own range (kind -4). It computes
// nothing; its parents are its signals, the first one the main parent whose X range the axes show.
class marluneJoinChild : public marluneChild {
public:
    // The colour of the signal at position i of the parent list is entry i mod 7.
    static constexpr std::array<Rgb, 7> Colours{{{255, 0, 0},
                                                 {0, 0, 0},
                                                 {0, 0, 255},
                                                 {0, 255, 0},
                                                 {255, 255, 0},
                                                 {255, 0, 255},
                                                 {128, 128, 128}}};
    static constexpr int ShowInOneSystem = 12799;
    // "Add signal" of window i is 12800 + i (windows 0 ... 299 have numbers), "Remove signal" of the
    // parent at position p 13100 + p; the pane's menus reach every window through the functions below.
    static constexpr int AddSignalBase = 12800;
    static constexpr int RemoveSignalBase = 13100;
    static constexpr int RemoveSignalEnd = 13400;
    static constexpr const char* EmptyText = "Overlay window is empty!";

    static Rgb colourOf(std::size_t position) { return Colours[position % Colours.size()]; }

    // An overlay (kind -3) or stacked view (kind -4) of the signal windows, numbered, linked and
    // registered; null when there are none or the registry is full.
    static marluneJoinChild* create(marluneMDIClient& client, const std::vector<marluneMDIChild*>& windows,
                                    int32_t kind);
    // The entries of both forms in the table of kinds (look and workspace loading).
    static std::span<const WindowKind> kinds();

    marluneJoinChild(marluneMDIClient& client, int32_t kind, unsigned number);

    bool stacked() const;
    // The parents, in the order they are drawn; all are signal windows.
    std::vector<marluneMDIChild*> parentSignals() const;
    // The main parent, or null once the last one is gone.
    marluneMDIChild* mainSignal() const;

    // The common range of the overlay form, also used by the stacked form while the range is fixed.
    float yMax() const { return yMax_; }
    float yMin() const { return yMin_; }
    void setYRange(float max, float min);
    // The lowest minimum and the highest maximum of the parents' ranges.
    void fitYRange();

    const CurveDisplay& display() const { return display_; }
    void setDisplay(const CurveDisplay& display) { display_ = display; }
    int32_t originalUnits() const { return originalUnits_; }

    // "Show in one coord. system" and Ctrl+S: the other form, recomputed and drawn anew.
    void switchForm();
    // "Add signal": appends a signal window that is not yet shown.
    void addSignal(marluneMDIChild& signal);
    // "Remove signal": as when that parent is closed; the overlay closes with its last parent.
    void removeSignal(std::size_t position);
    // Ctrl+Z: the first parent moves to the end; the next becomes the main parent.
    void rotate();

    // The status bar of the main parent, whose visible part the overlay shows.
    void showStatusBar() const override;

    std::optional<CommandState> commandState(int id) const override;
    bool command(int id) override;
    static const CommandTable<marluneJoinChild> Table;
    // Commands of signal windows that mean nothing for a window that only shows other windows'
    // signals, asked before the table; every command that makes a window of a registered kind is refused too.
    static std::span<const int> refusedCommands();

    void saveKindKeys(TIniHelper& ini, const std::string& section) const override;
    void loadKindKeys(const TIniHelper& ini, const std::string& section) override;

protected:
    bool recomputeFromParents() override;
    void parentClosed(marluneChild* parent) override;

private:
    static const CommandRow<marluneJoinChild> Rows[];
    // The window's keys of a workspace section, each written and read back by one row.
    static const BoundKey<marluneJoinChild> Keys[];
    bool refuses(int id) const;
    // " %u#Overlay (" with each parent's number or its own title.
    static std::string titleOf(unsigned number, const std::vector<marluneChild*>& parents);
    // The title from the parents, kept while the person named the overlay.
    void updateTitle();
    // After the parents or the form changed: range, title, the control window's diagram and the picture.
    void parentsChanged();
    void axesSettings();
    bool shows(const marluneChild& window) const;

    unsigned number_;
    float yMax_ = 1;
    float yMin_ = -1;
    CurveDisplay display_;
    int32_t originalUnits_ = 1;
};
