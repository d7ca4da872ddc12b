// One window playing "5", until the application shell exists. Space toggles playing.

#include <QApplication>
#include <memory>

#include "platform/qt/QtPlatform.h"
#include "view/JuggleView.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    platform::qt::QtToolkit toolkit;
    auto view = std::make_unique<JuggleView>(Rect{{0.0f, 0.0f}, 480.0f, 400.0f});
    JuggleView& juggle = *view;
    platform::qt::ViewWidget window(std::move(view));
    window.setMinimumSize(160, 160);
    window.show();
    juggle.setIsPlaying(true);
    return QApplication::exec();
}
