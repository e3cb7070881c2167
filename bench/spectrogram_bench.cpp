// Repainting a spectrogram of 56 000 rows x 512 bins in a 1000 x 600 pane (dense data: one pixel per
// block of rows and bins), against the time a plain scan of the same values for their maximum takes in
// the same run; the full repaint of 100 rows, which a stepped Time FFT whose rows are not a whole number of
// pixels wide takes at every step, and the one-row scroll of one whose rows are 10 pixels wide each.
#include <benchmark/benchmark.h>

#include <QImage>
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "BenchMinimum.h"
#include "fileio/PictureMatrix.h"
#include "tree/marlune3DChild.h"
#include "views/FFTSignal.h"
#include "views/Palette.h"
#include "views/ui/Picture3D.h"

namespace {

PictureMatrix matrix(uint32_t rows, uint32_t bins)
{
    PictureMatrix m;
    m.rows = rows;
    m.bins = bins;
    m.values.resize(std::size_t(rows) * bins);
    for (std::size_t i = 0; i < m.values.size(); ++i)
        m.values[i] = float(std::fabs(std::sin(0.001 * double(i))));
    return m;
}

// A picture window's matrix with what its pane draws it with.
struct Scene {
    FFTSignal data;
    Display3D display;
    const Palette palette;
    QImage image{1300, 1024, QImage::Format_RGB32};

    Scene(benchmark::State& state, uint32_t rows, bool axes = true)
    {
        display.axes = axes;
        if (data.createPicture(matrix(rows, 512)) != FFTSignal::Result::Done)
            state.SkipWithError("no matrix");
    }
    Picture3D picture() const { return Picture3D(data, display, palette, false, QSize(1000, 600)); }
};

void BM_DenseSpectrogramRepaint(benchmark::State& state)
{
    Scene scene(state, 56000);
    QImage& image = scene.image;
    for (auto _ : state) {
        scene.picture().draw(image);
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_ScanForMaximum(benchmark::State& state)
{
    const PictureMatrix m = matrix(56000, 512);
    for (auto _ : state)
        benchmark::DoNotOptimize(*std::max_element(m.values.begin(), m.values.end()));
}

void BM_FewRowsRepaint(benchmark::State& state)
{
    Scene scene(state, 100);
    QImage& image = scene.image;
    for (auto _ : state) {
        scene.picture().draw(image);
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_OneColumnScroll(benchmark::State& state)
{
    // Without the axes the cells have the whole 960 pixels: 96 rows scroll by 10 pixels exactly.
    Scene scene(state, 96, false);
    QImage& image = scene.image;
    const Picture3D picture = scene.picture();
    picture.draw(image);
    for (auto _ : state) {
        if (!picture.scroll(image, 1))
            state.SkipWithError("no scroll");
        benchmark::DoNotOptimize(image.constBits());
    }
}

}  // namespace

BENCHMARK(BM_DenseSpectrogramRepaint)->Unit(benchmark::kMillisecond)->Apply(minimumOf9);
BENCHMARK(BM_ScanForMaximum)->Unit(benchmark::kMillisecond)->Apply(minimumOf9);
BENCHMARK(BM_FewRowsRepaint)->Unit(benchmark::kMicrosecond)->Apply(minimumOf9);
BENCHMARK(BM_OneColumnScroll)->Unit(benchmark::kMicrosecond)->Apply(minimumOf9);
