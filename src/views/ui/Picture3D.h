#pragma once
// The picture of a 3D window at one size.
#include <QImage>
#include <QRect>
#include <QSize>
#include <optional>
#include <utility>
#include <vector>

#include "views/Axes3DLayout.h"
#include "views/MeshSampling.h"
#include "views/Projection3D.h"
#include "views/SpectrogramCells.h"

class FFTSignal;
class Palette;
class QPainter;
struct Display3D;

// The spectrogram view (device pixels) or the mesh view (the virtual extent mapped onto the size), with
// axes and the inverted ruler, or the invalid text.
class Picture3D {
public:
    static constexpr const char* InvalidText = "Content of this window is not valid!";

    Picture3D(const FFTSignal& data, const Display3D& display, const Palette& palette, bool invalid, QSize size);

    // Everything anew over the image, which is at least `size`.
    void draw(QImage& image) const;
    // The row and bin of the spectrogram's cell whose value colours a pixel: the largest of the cells the
    // pixel shows. None off the cells or in the mesh view.
    std::optional<std::pair<int64_t, int64_t>> cellAt(QPoint at) const;
    // Inverts the ruler; drawing it twice takes it off again.
    void invertRuler(QImage& image) const;
    // After the matrix moved by one row (direction ±1) with rows of one whole number of pixels each: the
    // cells move by one row's width and only the new row and the axes are drawn. False when the picture
    // cannot scroll.
    bool scroll(QImage& image, int direction) const;

private:
    bool spectrogram() const;
    // Shrinks the spectrogram's cells until every tick label and title lies inside the pane.
    void makeRoomForLabels();
    // Shrinks the mesh picture about the pane's centre until its axes, end values and titles fit.
    void makeRoomForMeshLabels();
    // Pixels per logical unit of the mesh's label font.
    double meshFontScale() const;
    Axes3DLayout::Titles titles() const;
    // The spectrogram's pixel columns [fromX, toX) of the plot area, each pixel the colour of the
    // largest value of the cells it shows.
    void drawCells(QImage& image, int fromX, int toX) const;
    void drawMesh(QPainter& painter) const;
    void drawAxes(QPainter& painter) const;
    void setMeshSpace(QPainter& painter) const;
    QColor colour(int index) const;
    // The projected point of the level's row r and bin j at its own value.
    ScreenPoint point(int r, int j) const;
    // The projected point of sampled row k and bin m, at the value the sampled cell holds.
    ScreenPoint sampledPoint(int k, int m) const;

    const FFTSignal& data_;
    const Display3D& display_;
    const Palette& palette_;
    bool invalid_;
    QSize size_;
    // The rectangle the mesh picture's virtual extent is shown in: the pane, or less to make room for the
    // labels.
    QRect meshArea_;
    // The rows and bins drawn as wire lines and mesh cells; the spectrogram's wire lines take them when
    // first drawn, so a picture made only for its cells' places reads no matrix.
    mutable std::optional<MeshSampling> sampling_;
    // The mesh view's projection and its sampled points, row-major; the spectrogram computes its cells'
    // places from `cells_`, which leave room for the axes' labels.
    std::optional<Projection3D> projection_;
    std::vector<ScreenPoint> points_;
    std::optional<SpectrogramCells> cells_;
    // Of the view shown: the spectrogram's, or the mesh view a saved -1 stands for.
    DrawingOrder order_;
};
