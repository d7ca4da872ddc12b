#include "app/PanelWindow.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QSettings>

namespace {

QString settingsKey(const QString& name) {
    return QStringLiteral("PanelFrames/") + name;
}

}  // namespace

QSizeF mainScreenSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? QSizeF(screen->geometry().size()) : QSizeF(800, 600);
}

PanelWindow::PanelWindow(const QString& autosaveName)
    : QWidget(nullptr, Qt::Tool), autosaveName_(autosaveName) {
    setObjectName(autosaveName);
}

bool PanelWindow::restoreFrame() {
    const QByteArray frame = QSettings().value(settingsKey(autosaveName_)).toByteArray();
    if (frame.isEmpty()) {
        return false;
    }
    restoring_ = true;
    const bool restored = restoreGeometry(frame);
    restoring_ = false;
    return restored;
}

void PanelWindow::saveFrame() const {
    QSettings().setValue(settingsKey(autosaveName_), saveGeometry());
}

void PanelWindow::setFrameTopLeftPoint(QPointF bottomUpPoint) {
    const QSizeF screen = mainScreenSize();
    move(qRound(bottomUpPoint.x()), qRound(screen.height() - bottomUpPoint.y()));
}

QPointF PanelWindow::frameTopLeftPoint() const {
    const QPoint topLeft = frameGeometry().topLeft();
    return QPointF(topLeft.x(), mainScreenSize().height() - topLeft.y());
}

void PanelWindow::keyPressEvent(QKeyEvent* event) {
    if (onKeyDown) {
        onKeyDown(event);
        event->accept();
    } else {
        QWidget::keyPressEvent(event);
    }
}

void PanelWindow::closeEvent(QCloseEvent* event) {
    saveFrame();
    if (onClose) {
        onClose();
    }
    event->accept();
}

void PanelWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    if (isVisible() && !restoring_) {
        saveFrame();
    }
}

void PanelWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (isVisible() && !restoring_) {
        saveFrame();
    }
}
