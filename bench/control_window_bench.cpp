// The control window over a tree of 500 windows (100 file windows, each with a chain of four derived
// windows): one repaint of its drawing area, against laying the diagram out alone, in the same run;
// and the arrow key over the 100 selected file windows (one counting and one computing pass), against
// moving them one after the other, each with its own update.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <iostream>
#include <memory>
#include <vector>

#include "BenchMinimum.h"
#include "signal/Signal.h"
#include "signal/SignalKind.h"
#include "tree/BatchUiServices.h"
#include "tree/ControlDiagram.h"
#include "tree/DerivedWindows.h"
#include "tree/marluneMDIChild.h"
#include "tree/marluneMDIClient.h"
#include "tree/ui/CtrlPaintWindow.h"

namespace {
constexpr int Roots = 100;
constexpr int Chain = 4;
constexpr uint32_t Samples = 4096;

struct Tree {
    Tree()
    {
        std::vector<float> samples(Samples);
        for (uint32_t i = 0; i < Samples; ++i)
            samples[i] = float(i % 50);
        for (int r = 0; r < Roots; ++r) {
            auto window = std::make_unique<marluneMDIChild>(
                client, SignalKind::FileSignal,
                std::make_unique<Signal>(nullptr, SignalKind::FileSignal, samples.data(), Samples, 1000));
            window->setCaption(" " + std::to_string(client.nextCreationNumber()) + "#file");
            auto* root = static_cast<marluneMDIChild*>(client.addWindow(std::move(window)));
            (void)root->signal()->zoomIn(0, 1023);
            root->setStep(1);
            roots.push_back(root);
            marluneChild* parent = root;
            for (int d = 0; d < Chain; ++d)
                parent = DerivedWindows::createChild(client, *parent,
                                                     d % 2 ? SignalKind::Detrended : SignalKind::Smoothed, {1, 5});
        }
    }
    BatchUiServices ui{std::cerr};
    marluneMDIClient client{ui, "/nonexistent/"};
    std::vector<marluneMDIChild*> roots;
};

Tree& tree()
{
    static Tree made;
    return made;
}

void BM_ControlRepaint(benchmark::State& state)
{
    CtrlPaintWindow paint(tree().client);
    // What the scroller shows of the drawing area, as a repaint on the screen draws it.
    QImage image(1000, 1000, QImage::Format_RGB32);
    for (auto _ : state) {
        paint.render(&image, QPoint(), QRegion(image.rect()));
        benchmark::DoNotOptimize(image.bits());
    }
    state.counters["windows"] = double(tree().client.windows().size());
}
BENCHMARK(BM_ControlRepaint)->Unit(benchmark::kMillisecond)->Apply(minimumOf9);

void BM_DiagramLayout(benchmark::State& state)
{
    for (auto _ : state) {
        const ControlDiagram diagram(tree().client);
        benchmark::DoNotOptimize(diagram.lines().size());
    }
}
BENCHMARK(BM_DiagramLayout)->Unit(benchmark::kMillisecond)->Apply(minimumOf9);

void BM_BatchMove(benchmark::State& state)
{
    CtrlPaintWindow paint(tree().client);
    for (marluneMDIChild* root : tree().roots)
        paint.selection().toggle(root->index());
    bool right = true;
    for (auto _ : state) {
        paint.selection().step(right);
        right = !right;
    }
}
BENCHMARK(BM_BatchMove)->Unit(benchmark::kMillisecond)->Apply(minimumOf9);

void BM_MoveOneByOne(benchmark::State& state)
{
    bool right = true;
    for (auto _ : state) {
        for (marluneMDIChild* root : tree().roots)
            right ? root->stepRight() : root->stepLeft();
        right = !right;
    }
}
BENCHMARK(BM_MoveOneByOne)->Unit(benchmark::kMillisecond)->Apply(minimumOf9);
}  // namespace
