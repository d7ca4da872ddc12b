#pragma once

// The toolkit facade on Qt 6 Widgets. See QtPlatform.cpp for what it implements.

#include <QPointer>
#include <QRect>
#include <QSlider>
#include <QWidget>
#include <memory>

#include "platform/FloatSlider.h"
#include "platform/Painter.h"
#include "platform/Toolkit.h"
#include "platform/View.h"

class QImage;
class QPainter;

namespace platform::qt {

// Draws through a QPainter whose transform already maps view units to pixels.
class QtPainter final : public Painter {
  public:
    explicit QtPainter(QPainter& painter) : painter_(painter) {}
    void setColor(const Color& color) override;
    void fillRect(const Rect& rect) override;
    void strokeLine(Point from, Point to) override;
    void fillOval(const Rect& rect) override;
    void strokeArc(Point center, float radius, float startDegrees, float endDegrees) override;

  private:
    QPainter& painter_;
    Color color_;
};

// QTimer timers, the override-cursor stack and the beep. Installs itself as the facade's
// toolkit for its lifetime; create one after the QApplication.
class QtToolkit final : public Toolkit {
  public:
    QtToolkit();
    ~QtToolkit() override;
    QtToolkit(const QtToolkit&) = delete;
    QtToolkit& operator=(const QtToolkit&) = delete;

    std::unique_ptr<Timer> scheduledTimer(double seconds,
                                          std::function<void(Timer&)> action) override;
    // The image is a Qt resource or file path; one that does not load shows the busy cursor.
    void pushCursor(const Cursor& cursor) override;
    // Pops only what this toolkit pushed: Qt's stack is shared with every other user.
    void popCursor() override;
    void setArrowCursor() override;
    void beep() override;

    int pushedCursors() const { return pushed_; }

  private:
    int pushed_ = 0;
};

// The view-unit transform of a view of `pixelHeight` pixels: scale, y up, bounds origin.
QTransform viewTransform(const View& view, double pixelHeight);
// The pixels a rectangle in view units touches, rounded outward; empty for an empty or
// non-finite rectangle.
QRect pixelRectForViewRect(const View& view, const Rect& rect, double pixelHeight);
// Paints the whole view into `painter` (antialiased, view units) as the window would.
void paintView(View& view, QPainter& painter, double pixelHeight);
// Renders the view into an image of its frame size, for tests and benchmarks.
QImage renderView(View& view);

// The QWidget that hosts one facade view: it owns the view, paints it, turns its damage
// marks into update(QRect) calls and passes on resizes, keys and window activation.
// Calls the view's awakeFromNib once it is attached.
class ViewWidget final : public QWidget, public ViewHost {
  public:
    explicit ViewWidget(std::unique_ptr<View> view, QWidget* parent = nullptr);
    ~ViewWidget() override;

    View& view() const { return *view_; }

    void viewDidMarkRect(const View& view, const Rect& rect) override;
    void viewDidMarkWhole(const View& view) override;
    void viewDidSetTitle(const View& view, const std::string& title) override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;

  private:
    void showTitle();
    std::unique_ptr<View> view_;
};

// A float value on a QSlider of fine integer steps. Setting the value programmatically
// emits no valueChanged, so a view showing its clock does not look like a user's drag.
class QtFloatSlider final : public FloatSlider {
  public:
    QtFloatSlider(QSlider* slider, float minimum, float maximum, int steps = 10000);
    float floatValue() const override;
    void setFloatValue(float value) override;
    QSlider* slider() const { return slider_; }

  private:
    QPointer<QSlider> slider_;
    float minimum_;
    float maximum_;
    int steps_;
};

}  // namespace platform::qt
