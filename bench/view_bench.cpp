// One frame of the animation view: the frame update (clock, pattern evaluation, damage
// marks) and painting a 640 x 480 frame into an image, both far below the 20 ms frame.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "platform/qt/QtPlatform.h"
#include "view/JuggleView.h"

namespace {

class BenchTimer final : public platform::Timer {
  public:
    void invalidate() override {}
    bool isValid() const override { return true; }
};

const char* const kSequences[] = {"5", "95551", "55rrq555", "12,"};

void BM_FrameUpdate(benchmark::State& state) {
    JuggleView view(Rect{{0, 0}, 640, 480});
    view.setPattern(SiteSwap::initWithSequence(kSequences[state.range(0)]));
    view.setIsPlaying(true);
    const BenchTimer tick;
    for (auto _ : state) {
        view.nextFrame(&tick);
        benchmark::DoNotOptimize(view.marks().data());
        view.clearMarks();  // the display pass would
    }
    state.SetLabel(kSequences[state.range(0)]);
}
BENCHMARK(BM_FrameUpdate)->DenseRange(0, 3);

void BM_PaintFrame(benchmark::State& state) {
    JuggleView view(Rect{{0, 0}, 640, 480});
    view.setPattern(SiteSwap::initWithSequence(kSequences[state.range(0)]));
    for (int i = 0; i < 50; ++i) {
        view.incrementTime();
    }
    view.nextFrame();
    QImage image(640, 480, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        platform::qt::paintView(view, painter, 480.0);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetLabel(kSequences[state.range(0)]);
}
BENCHMARK(BM_PaintFrame)->DenseRange(0, 3);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
