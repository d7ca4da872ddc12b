#pragma once

#include <QPoint>
#include <QString>
#include <QWidget>
#include <functional>

class QKeyEvent;

// A floating tool panel whose frame is kept between runs under its autosave name. Key
// presses that no control inside took, and the close, go to its controller.
class PanelWindow : public QWidget {
  public:
    explicit PanelWindow(const QString& autosaveName);

    const QString& autosaveName() const { return autosaveName_; }
    // Restores the frame saved under the autosave name; false when there is none.
    bool restoreFrame();
    void saveFrame() const;

    std::function<void(QKeyEvent*)> onKeyDown;
    std::function<void()> onClose;

    // Moves the frame's top-left corner to a point of the primary screen counted from its
    // bottom-left corner, y growing upward.
    void setFrameTopLeftPoint(QPointF bottomUpPoint);
    // The same corner, read back in those coordinates.
    QPointF frameTopLeftPoint() const;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    QString autosaveName_;
    bool restoring_ = false;
};

// The primary screen's size in points, or 800 x 600 when there is no screen.
QSizeF mainScreenSize();
