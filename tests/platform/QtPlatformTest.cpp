#include "platform/qt/QtPlatform.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QSlider>
#include <QTest>
#include <cmath>

#include "view/JuggleView.h"

namespace {

using platform::qt::pixelRectForViewRect;
using platform::qt::renderView;
using platform::qt::viewTransform;

QPoint pixelAt(const JuggleView& view, Point p) {
    const QPointF f = viewTransform(view, view.frame().height).map(QPointF(p.x, p.y));
    return QPoint(static_cast<int>(std::floor(f.x())), static_cast<int>(std::floor(f.y())));
}

QColor expected(const platform::Color& c) {
    return QColor::fromRgbF(c.red, c.green, c.blue);
}

bool near(QColor a, QColor b, int tolerance = 3) {
    return std::abs(a.red() - b.red()) <= tolerance &&
           std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

float distance(Point a, Point b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

// GIVEN "5" a little way into its pattern, at a zoom that puts pixel edges mid-unit.
class PaintingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        view.setUnitSide(1.37f);
        for (int i = 0; i < 40; ++i) {
            view.incrementTime();
        }
        view.nextFrame();
        view.nextFrame();
    }
    platform::qt::QtToolkit toolkit;
    JuggleView view{Rect{{0, 0}, 640, 480}};
};

TEST_F(PaintingTest, BallsShowTheirColourAtTheirCentreWithLowerNumbersInFront) {
    const QImage image = renderView(view);
    const JPattern& p = *view.pattern();
    int checked = 0;
    for (int i = 0; i < p.numberOfBalls(); ++i) {
        const Point c = p.pointForBallNumber(i);
        // The ball in front at c is the lowest-numbered one covering it; skip near-ties.
        int front = i;
        bool ambiguous = false;
        for (int j = 0; j < i; ++j) {
            const float d = distance(c, p.pointForBallNumber(j));
            if (d < 14.0f) {
                front = std::min(front, j);
            } else if (d < 16.0f) {
                ambiguous = true;
            }
        }
        if (ambiguous) {
            continue;
        }
        const QColor got = image.pixelColor(pixelAt(view, c));
        EXPECT_TRUE(near(got, expected(view.colors()[static_cast<size_t>(front)])))
            << "ball " << i << " got " << got.name().toStdString();
        ++checked;
    }
    EXPECT_GE(checked, 3);
}

TEST_F(PaintingTest, HandsAreBlackArcsBelowTheirPointsAndTheRestIsWhite) {
    const QImage image = renderView(view);
    const JPattern& p = *view.pattern();
    const auto coveredByBall = [&](Point q) {
        for (int i = 0; i < p.numberOfBalls(); ++i) {
            if (distance(q, p.pointForBallNumber(i)) < 17.0f) {
                return true;
            }
        }
        return false;
    };
    for (int h = 0; h < 2; ++h) {
        const Point hand = p.pointForHandNumber(h);
        const Point bottom{hand.x, hand.y - 25.0f};
        if (coveredByBall(bottom)) {
            continue;
        }
        const QColor arc = image.pixelColor(pixelAt(view, bottom));
        EXPECT_LT(arc.lightness(), 100) << "hand " << h;
        const Point above{hand.x, hand.y + 6.0f};  // the arc is open at the top
        if (!coveredByBall(above)) {
            EXPECT_EQ(image.pixelColor(pixelAt(view, above)), QColor(Qt::white)) << "hand " << h;
        }
    }
    // Corners away from the lines: white, painted (the image starts black).
    for (const QPoint corner : {QPoint(2, 2), QPoint(637, 2), QPoint(2, 477), QPoint(637, 477)}) {
        EXPECT_EQ(image.pixelColor(corner), QColor(Qt::white)) << corner.x() << "," << corner.y();
    }
    // The floor and centre lines are light grey.
    const Rect b = view.bounds();
    const QColor floor = image.pixelColor(pixelAt(view, Point{b.origin.x + 3.0f, 0.0f}));
    EXPECT_TRUE(near(floor, QColor(170, 170, 170), 20)) << floor.name().toStdString();
}

TEST_F(PaintingTest, EveryPixelAFrameChangesLiesInsideItsMarks) {
    view.setIsPlaying(true);
    view.awakeFromNib();
    for (int frame = 0; frame < 12; ++frame) {
        const QImage before = renderView(view);
        view.clearMarks();
        view.incrementTime();
        view.nextFrame();
        ASSERT_FALSE(view.wholeMarked());
        const QImage after = renderView(view);
        QRegion damage;
        for (const Rect& r : view.marks()) {
            damage += pixelRectForViewRect(view, r, view.frame().height);
        }
        int changed = 0;
        for (int y = 0; y < after.height(); ++y) {
            for (int x = 0; x < after.width(); ++x) {
                if (before.pixel(x, y) != after.pixel(x, y)) {
                    ++changed;
                    ASSERT_TRUE(damage.contains(QPoint(x, y)))
                        << "frame " << frame << " pixel " << x << "," << y;
                }
            }
        }
        EXPECT_GT(changed, 0);
    }
}

TEST(Painting, AnOpaqueViewCoversEveryPixelWhateverWasUnderIt) {
    // At fractional zooms the bounds' edges fall inside pixels; nothing below may show.
    for (const QSize size : {QSize(240, 180), QSize(333, 217), QSize(641, 479)}) {
        JuggleView view(
            Rect{{0, 0}, static_cast<float>(size.width()), static_cast<float>(size.height())});
        view.nextFrame();
        QImage onBlack(size, QImage::Format_RGB32);
        QImage onRed(size, QImage::Format_RGB32);
        onBlack.fill(Qt::black);
        onRed.fill(Qt::red);
        for (QImage* image : {&onBlack, &onRed}) {
            QPainter painter(image);
            platform::qt::paintView(view, painter, size.height());
        }
        EXPECT_EQ(onBlack, onRed) << size.width() << " x " << size.height() << " at "
                                  << view.unitSide();
    }
}

TEST(PixelRect, RoundsOutwardAndRefusesWhatIsNotARect) {
    platform::View view(Rect{{0, 0}, 640, 480});
    view.setBoundsOrigin(Point{-320, -64});
    EXPECT_EQ(pixelRectForViewRect(view, Rect{{-0.5f, -64}, 1, 480}, 480), QRect(319, 0, 2, 480));
    EXPECT_EQ(pixelRectForViewRect(view, Rect{{0, 0}, 10, 10}, 480), QRect(320, 406, 10, 10));
    view.scaleUnitSquareToSize(1.5, 1.5);
    // x from (0.3 + 320) * 1.5 = 480.45 to 495.45; y from 480 - 64.3 * 1.5 = 383.55 up to
    // 480 - 74.3 * 1.5 = 368.55.
    EXPECT_EQ(pixelRectForViewRect(view, Rect{{0.3f, 0.3f}, 10, 10}, 480),
              QRect(QPoint(480, 368), QPoint(495, 383)));
    const float nan = std::nanf("");
    EXPECT_TRUE(pixelRectForViewRect(view, Rect{{nan, 0}, 10, 10}, 480).isEmpty());
    EXPECT_TRUE(pixelRectForViewRect(view, Rect{{0, 0}, 0, 10}, 480).isEmpty());
    EXPECT_FALSE(pixelRectForViewRect(view, Rect{{1e30f, 0}, 1e30f, 10}, 480).isNull());
}

TEST(ViewWidget, ForwardsResizeKeysAndActivation) {
    platform::qt::QtToolkit toolkit;
    auto owned = std::make_unique<JuggleView>(Rect{{0, 0}, 400, 300});
    JuggleView& view = *owned;
    platform::qt::ViewWidget widget(std::move(owned));
    EXPECT_EQ(widget.windowTitle(), "5");
    ASSERT_NE(view.frameTimer(), nullptr);

    widget.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
    widget.resize(500, 200);
    EXPECT_TRUE(QTest::qWaitFor([&] { return view.frame().width == 500.0f; }, 2000));
    const Rect b = view.bounds();
    EXPECT_EQ(b.origin, (Point{-b.width / 2, -64}));

    QTest::keyClick(&widget, Qt::Key_Space, Qt::NoModifier);
    EXPECT_TRUE(view.isPlaying());
    QTest::keyClick(&widget, Qt::Key_A);
    EXPECT_TRUE(view.isPlaying());

    widget.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&widget));
    EXPECT_EQ(JuggleView::currentView(), &view);
    // The timer runs: the clock moves on its own.
    const float t = view.time();
    EXPECT_TRUE(QTest::qWaitFor([&] { return view.time() > t; }, 2000));
    view.setPattern(nullptr);
    EXPECT_EQ(widget.windowTitle(), " ");
}

TEST(QtToolkit, PopsOnlyWhatItPushed) {
    {
        platform::qt::QtToolkit toolkit;
        toolkit.pushCursor({":/no/such/image.png", 8, 8});  // shows the busy cursor instead
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
        toolkit.pushCursor({});
        toolkit.popCursor();
        toolkit.popCursor();
        toolkit.popCursor();
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
        toolkit.setArrowCursor();
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
        toolkit.pushCursor({});
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);  // a toolkit leaves nothing behind
}

TEST(QtFloatSlider, MapsFloatsAndStaysQuietWhenSetByTheView) {
    QSlider slider;
    platform::qt::QtFloatSlider adapter(&slider, 0.0f, 100.0f);
    int changes = 0;
    QObject::connect(&slider, &QSlider::valueChanged, [&] { ++changes; });
    adapter.setFloatValue(50.0f);
    EXPECT_EQ(adapter.floatValue(), 50.0f);
    adapter.setFloatValue(200.0f);
    EXPECT_EQ(adapter.floatValue(), 100.0f);
    EXPECT_EQ(changes, 0);
}

}  // namespace

int main(int argc, char** argv) {
    // Test discovery runs the binary at build time, where no display may exist.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
