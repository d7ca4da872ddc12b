#include <QApplication>
#include <QIcon>
#include <QStringList>

#include "app/AppDelegate.h"
#include "platform/qt/QtPlatform.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Juggle"));
    QApplication::setApplicationName(QStringLiteral("juggle"));
    QApplication::setDesktopFileName(QStringLiteral("juggle"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/images/juggle.png")));
    // The panels stay when every document window is closed; the delegate decides.
    QApplication::setQuitOnLastWindowClosed(false);

    platform::qt::QtToolkit toolkit;
    AppDelegate delegate;
    const QStringList files = QApplication::arguments().mid(1);
    if (files.isEmpty()) {
        delegate.newDocument();
    }
    for (const QString& file : files) {
        delegate.openDocument(file);
    }
    return QApplication::exec();
}
