// The toolkit facade on Qt 6 Widgets.
//
// Implemented:
//  [x] View hosting (ViewWidget): QPainter with antialiasing in view units, y up, origin and
//      scale from the view's bounds; opaque painting when the view says it is opaque.
//  [x] Damage: each mark becomes update(QRect) in pixels rounded outward; a whole-view mark
//      updates the widget. Marks are cleared after each paint.
//  [x] Resize -> setFrameSize + windowDidResize; key press -> keyDown with the event's text;
//      window activation -> current view, focus, windowDidBecomeMain; title -> window title.
//  [x] Timers: QTimer, Qt::PreciseTimer, also firing during menus and slider drags.
//  [x] Cursor stack on QGuiApplication's override cursor; arrow = change the top override.
//  [x] Beep: QApplication::beep().
//  [x] Float slider over a QSlider with fine integer steps.
//  [ ] High-DPI: logical pixels only; Qt scales the backing store itself.

#include "platform/qt/QtPlatform.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QImage>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QResizeEvent>
#include <QSignalBlocker>
#include <QTimer>
#include <algorithm>
#include <cmath>

namespace platform::qt {

namespace {

QColor toQColor(const Color& c) {
    return QColor::fromRgbF(c.red, c.green, c.blue, c.alpha);
}

QRectF toQRectF(const Rect& r) {
    return QRectF(r.origin.x, r.origin.y, r.width, r.height);
}

class QtTimer final : public Timer {
  public:
    QtTimer(double seconds, std::function<void(Timer&)> action) : action_(std::move(action)) {
        timer_.setTimerType(Qt::PreciseTimer);
        timer_.setInterval(std::max(1, static_cast<int>(std::lround(seconds * 1000.0))));
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (valid_) {
                action_(*this);
            }
        });
        timer_.start();
    }
    void invalidate() override {
        valid_ = false;
        timer_.stop();
    }
    bool isValid() const override { return valid_; }

  private:
    std::function<void(Timer&)> action_;
    QTimer timer_;
    bool valid_ = true;
};

}  // namespace

// ---------------------------------------------------------------- QtPainter

void QtPainter::setColor(const Color& color) {
    color_ = color;
}

void QtPainter::fillRect(const Rect& rect) {
    // Axis-aligned fills cover whole pixels: antialiased, a background whose edge falls a
    // hair inside the last pixel would blend with whatever the device held before.
    const bool smooth = painter_.testRenderHint(QPainter::Antialiasing);
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.fillRect(toQRectF(rect), toQColor(color_));
    painter_.setRenderHint(QPainter::Antialiasing, smooth);
}

void QtPainter::strokeLine(Point from, Point to) {
    painter_.setPen(QPen(toQColor(color_), 1.0, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    painter_.setBrush(Qt::NoBrush);
    painter_.drawLine(QPointF(from.x, from.y), QPointF(to.x, to.y));
}

void QtPainter::fillOval(const Rect& rect) {
    painter_.setPen(Qt::NoPen);
    painter_.setBrush(toQColor(color_));
    painter_.drawEllipse(toQRectF(rect));
}

void QtPainter::strokeArc(Point center, float radius, float startDegrees, float endDegrees) {
    double sweep = static_cast<double>(endDegrees) - static_cast<double>(startDegrees);
    while (sweep < 0.0) {
        sweep += 360.0;
    }
    const QRectF box(center.x - radius, center.y - radius, 2.0 * radius, 2.0 * radius);
    // Qt measures its angles with y down; under our y-up transform that turns them over.
    QPainterPath path;
    path.arcMoveTo(box, -static_cast<double>(startDegrees));
    path.arcTo(box, -static_cast<double>(startDegrees), -sweep);
    painter_.setPen(QPen(toQColor(color_), 1.0, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    painter_.setBrush(Qt::NoBrush);
    painter_.drawPath(path);
}

// ---------------------------------------------------------------- QtToolkit

QtToolkit::QtToolkit() {
    setToolkit(this);
}

QtToolkit::~QtToolkit() {
    for (; pushed_ > 0; --pushed_) {
        QGuiApplication::restoreOverrideCursor();
    }
    if (&toolkit() == this) {
        setToolkit(nullptr);
    }
}

std::unique_ptr<Timer> QtToolkit::scheduledTimer(double seconds,
                                                 std::function<void(Timer&)> action) {
    return std::make_unique<QtTimer>(seconds, std::move(action));
}

void QtToolkit::pushCursor(const Cursor& cursor) {
    QCursor shape(Qt::ArrowCursor);
    if (!cursor.image.empty()) {
        const QPixmap image(QString::fromStdString(cursor.image));
        shape = image.isNull() ? QCursor(Qt::WaitCursor)
                               : QCursor(image, cursor.hotSpotX, cursor.hotSpotY);
    }
    QGuiApplication::setOverrideCursor(shape);
    ++pushed_;
}

void QtToolkit::popCursor() {
    if (pushed_ > 0) {
        QGuiApplication::restoreOverrideCursor();
        --pushed_;
    }
}

void QtToolkit::setArrowCursor() {
    // With nothing on the stack the widgets' own cursors already show.
    if (QGuiApplication::overrideCursor() != nullptr) {
        QGuiApplication::changeOverrideCursor(QCursor(Qt::ArrowCursor));
    }
}

void QtToolkit::beep() {
    QApplication::beep();
}

// ---------------------------------------------------------------- painting helpers

QTransform viewTransform(const View& view, double pixelHeight) {
    const Point o = view.bounds().origin;
    const double sx = view.scaleX();
    const double sy = view.scaleY();
    return QTransform(sx, 0.0, 0.0, -sy, -static_cast<double>(o.x) * sx,
                      pixelHeight + static_cast<double>(o.y) * sy);
}

QRect pixelRectForViewRect(const View& view, const Rect& rect, double pixelHeight) {
    const Point o = view.bounds().origin;
    const double sx = view.scaleX();
    const double sy = view.scaleY();
    const double left = (static_cast<double>(rect.origin.x) - o.x) * sx;
    const double right = (static_cast<double>(rect.origin.x) + rect.width - o.x) * sx;
    const double top = pixelHeight - (static_cast<double>(rect.origin.y) + rect.height - o.y) * sy;
    const double bottom = pixelHeight - (static_cast<double>(rect.origin.y) - o.y) * sy;
    if (!std::isfinite(left) || !std::isfinite(right) || !std::isfinite(top) ||
        !std::isfinite(bottom) || !(right > left) || !(bottom > top)) {
        return QRect();
    }
    // Clamp before converting so a far-off rectangle cannot overflow an int.
    static constexpr double kLimit = 1.0e8;
    const auto px = [](double v) { return static_cast<int>(std::clamp(v, -kLimit, kLimit)); };
    const int x0 = px(std::floor(left));
    const int x1 = px(std::ceil(right));
    const int y0 = px(std::floor(top));
    const int y1 = px(std::ceil(bottom));
    return QRect(QPoint(x0, y0), QPoint(x1 - 1, y1 - 1));
}

void paintView(View& view, QPainter& painter, double pixelHeight) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setTransform(viewTransform(view, pixelHeight));
    QtPainter facade(painter);
    view.drawRect(facade, view.bounds());
    painter.restore();
}

QImage renderView(View& view) {
    const Rect frame = view.frame();
    QImage image(std::max(1, static_cast<int>(std::ceil(frame.width))),
                 std::max(1, static_cast<int>(std::ceil(frame.height))), QImage::Format_RGB32);
    image.fill(Qt::black);  // anything the view leaves unpainted shows up in tests
    QPainter painter(&image);
    paintView(view, painter, frame.height);
    return image;
}

// ---------------------------------------------------------------- ViewWidget

ViewWidget::ViewWidget(std::unique_ptr<View> view, QWidget* parent)
    : QWidget(parent), view_(std::move(view)) {
    const Rect frame = view_->frame();
    resize(std::max(1, static_cast<int>(frame.width)), std::max(1, static_cast<int>(frame.height)));
    view_->setFrameSize(static_cast<float>(width()), static_cast<float>(height()));
    setAttribute(Qt::WA_OpaquePaintEvent, view_->isOpaque());
    setFocusPolicy(view_->acceptsFirstResponder() ? Qt::StrongFocus : Qt::NoFocus);
    view_->setHost(this);
    showTitle();
    view_->awakeFromNib();
}

ViewWidget::~ViewWidget() {
    view_->setHost(nullptr);
    view_.reset();  // its timer stops before the widget goes
}

void ViewWidget::viewDidMarkRect(const View& view, const Rect& rect) {
    const QRect pixels = pixelRectForViewRect(view, rect, height());
    if (!pixels.isEmpty()) {
        update(pixels);
    }
}

void ViewWidget::viewDidMarkWhole(const View&) {
    update();
}

void ViewWidget::viewDidSetTitle(const View&, const std::string& title) {
    window()->setWindowTitle(QString::fromStdString(title));
}

void ViewWidget::showTitle() {
    if (!view_->title().empty()) {
        window()->setWindowTitle(QString::fromStdString(view_->title()));
    }
}

void ViewWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintView(*view_, painter, height());
    view_->clearMarks();
}

void ViewWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    view_->setFrameSize(static_cast<float>(width()), static_cast<float>(height()));
    view_->windowDidResize();
}

void ViewWidget::keyPressEvent(QKeyEvent* event) {
    view_->keyDown(KeyEvent{event->text().toStdString()});
    event->accept();
}

void ViewWidget::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        setCurrentView(view_.get());
        if (view_->acceptsFirstResponder()) {
            setFocus(Qt::ActiveWindowFocusReason);
        }
        view_->windowDidBecomeMain();
    }
}

bool ViewWidget::event(QEvent* event) {
    // Embedded in a document window later, the title belongs to that window.
    if (event->type() == QEvent::ParentChange || event->type() == QEvent::Show) {
        showTitle();
    }
    return QWidget::event(event);
}

// ---------------------------------------------------------------- QtFloatSlider

QtFloatSlider::QtFloatSlider(QSlider* slider, float minimum, float maximum, int steps)
    : slider_(slider), minimum_(minimum), maximum_(maximum), steps_(std::max(1, steps)) {
    if (slider_) {
        slider_->setRange(0, steps_);
    }
}

float QtFloatSlider::floatValue() const {
    if (!slider_) {
        return 0.0f;
    }
    return minimum_ + (maximum_ - minimum_) * static_cast<float>(slider_->value()) /
                          static_cast<float>(steps_);
}

void QtFloatSlider::setFloatValue(float value) {
    if (!slider_ || !(maximum_ > minimum_)) {
        return;
    }
    // The clock runs past the slider's end once the first pass is over: it stands at its end.
    const double fraction = std::clamp(
        (static_cast<double>(value) - minimum_) / (static_cast<double>(maximum_) - minimum_), 0.0,
        1.0);
    const QSignalBlocker quiet(slider_.data());
    slider_->setValue(static_cast<int>(std::lround(fraction * steps_)));
}

}  // namespace platform::qt
