#pragma once
// A 3D window: the matrix of a Time FFT, a picture or a 3D log, with the view commands and keys of its pane.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <utility>

#include "base/CommandTable.h"
#include "dsp/SpectralSettings.h"
#include "dsp/TapWindow.h"
#include "signal/SignalKind.h"
#include "tree/marluneChild.h"
#include "views/FFTSignal.h"

class marluneMDIChild;
template <class Owner>
struct BoundKey;

// How a 3D window's picture is drawn, as one value the workspace writes.
struct Display3D {
    // Index of the client's palettes: 0 gray, 1 hsv, 2 blue, 3 copper, 4 hot, 5 white.
    int32_t palette = 1;
    bool axes = true;
    std::string xLabel;
    std::string yLabel;
    std::string zLabel;
};

// A 3D window (kinds 151 Time FFT, 152 picture, 153 3D signal log): owns the FFTSignal matrix and the
// settings its pane draws with, and carries out the view commands and keys of the pane. A Time FFT
// linked to its parent sets the parent's step to its hop, so that one step moves it by one segment.
class marlune3DChild : public marluneChild {
public:
    enum class Arrow { Left, Right, Up, Down };

    marlune3DChild(marluneMDIClient& client, int32_t kind);
    ~marlune3DChild() override;

    // The creation routines of "Time FFT..." / "Spectrogram..." and "3D signal log...": the window is
    // numbered, titled, labelled and registered; a parent too short for a Time FFT gives an invalid
    // window, a matrix that cannot be allocated gives "No more memory !!!" and no window. The spectra
    // are computed with `spectral`, or with the application's settings when it is null.
    static marlune3DChild* createTimeFFT(marluneMDIClient& client, marluneMDIChild& parent,
                                         const TimeFFTParameters& parameters, const SpectralSettings* spectral = nullptr);
    static marlune3DChild* createLog(marluneMDIClient& client, marluneMDIChild& parent, uint32_t length);
    // A picture window (kind 152) titled with the file's name or "Clipboard picture"; a root window.
    static marlune3DChild* createPicture(marluneMDIClient& client, const PictureMatrix& picture, const std::string& name);
    // A picture window of a bitmap or matrix file, titled with its name and keeping it as its file name;
    // a beep and no window when the file cannot be read.
    static marlune3DChild* openPicture(marluneMDIClient& client, const std::filesystem::path& file);

    FFTSignal& data() { return data_; }
    const FFTSignal& data() const { return data_; }
    Display3D display;
    // The spectral settings of a Time FFT, a copy of the application's taken at creation.
    SpectralSettings spectral{};
    TapWindow& tap() { return tap_; }

    // The 3D status bar: X and Y of the ruler position and the value there ("%.5G").
    void refreshStatusBar() const;
    // The read-out of the level's row r and bin j while the mouse is over it, in the same fields.
    void showReadout(int32_t r, int32_t j) const;
    // A click on the picture: the ruler, switched on, goes to row r and bin j of the level, and the
    // ruler signals below follow.
    void placeRuler(int32_t r, int32_t j);
    // The 3D bar in place of the signal bar.
    void showStatusBar() const override;

    // Keys of the pane (Tab, F2, Delete, Enter, the arrows with or without Shift held).
    void tabKey();
    void f2Key();
    void deleteKey();
    void enterKey();
    void arrowKey(Arrow arrow, bool shiftHeld);
    // Shift went up: the next Shift + arrow starts a new rectangle.
    void shiftReleased() { shiftReleased_ = true; }
    // The corner of the rectangle being selected with Shift + arrows, as (row, bin).
    std::optional<std::pair<int32_t, int32_t>> rectangleAnchor() const { return anchor_; }

    // The palettes (a range of numbers), then the table, then the commands of every window.
    std::optional<CommandState> commandState(int id) const override;
    bool command(int id) override;
    static const CommandTable<marlune3DChild> Table;
    // The palette commands, asked before the table; a window's palette is its index here.
    static std::span<const int> paletteCommands();
    void saveKindKeys(TIniHelper& ini, const std::string& section) const override;
    void loadKindKeys(const TIniHelper& ini, const std::string& section) override;

protected:
    bool recomputeFromParents() override;
    void afterRecompute() override;
    void linkChanged(bool linked) override;

private:
    // The window's keys of a workspace or tool section, each written and read back by one row.
    static const BoundKey<marlune3DChild> Keys[];
    static const CommandRow<marlune3DChild> Rows[];
    // After a change of the view: repaint, read-outs and the windows derived from this one.
    void viewChanged(bool dataChanged);
    void toggleSpectrogramView();
    void properties();
    void axesSettings();
    // "Export 3D-graphics": the current level as XYZ triples or as a matrix.
    void exportLevel(bool matrix);
    marluneMDIChild* signalParent() const;

    FFTSignal data_;
    TapWindow tap_;
    std::optional<std::pair<int32_t, int32_t>> anchor_;
    bool shiftReleased_ = true;
    // The parent's step before this window set it to the hop.
    std::optional<uint32_t> parentStep_;
};

// The 3D window behind a tree node, checked by its kind before the cast; null for any other node and
// for null.
inline marlune3DChild* threeDWindowOf(marluneChild* node)
{
    return node && SignalKind::is3D(node->kind()) ? static_cast<marlune3DChild*>(node) : nullptr;
}
inline const marlune3DChild* threeDWindowOf(const marluneChild* node)
{
    return threeDWindowOf(const_cast<marluneChild*>(node));
}
