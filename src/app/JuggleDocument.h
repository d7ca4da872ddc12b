#pragma once

#include <QByteArray>
#include <QMainWindow>
#include <optional>

class AppDelegate;
class JuggleView;

namespace platform::qt {
class ViewWidget;
}

// One document: a window showing one animation. Documents carry no data: opening any file
// shows a fresh window with the siteswap "5", and there is nothing to save.
class JuggleDocument : public QMainWindow {
  public:
    // The window's menus hold the delegate's shared actions.
    explicit JuggleDocument(AppDelegate& delegate);
    ~JuggleDocument() override;

    static QString windowNibName() { return QStringLiteral("JuggleDocument"); }
    std::optional<QByteArray> dataRepresentationOfType(const QString& type) const;
    bool loadDataRepresentation(const QByteArray& data, const QString& type);

    JuggleView& view() const;
    platform::qt::ViewWidget& viewWidget() const { return *viewWidget_; }

    // The animation's pixel size in a new window.
    static constexpr int kViewWidth = 440;
    static constexpr int kViewHeight = 500;

  private:
    platform::qt::ViewWidget* viewWidget_ = nullptr;
};
