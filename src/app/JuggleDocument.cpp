#include "app/JuggleDocument.h"

#include <QMenuBar>

#include "app/AppDelegate.h"
#include "platform/qt/QtPlatform.h"
#include "view/JuggleView.h"

JuggleDocument::JuggleDocument(AppDelegate& delegate) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(windowNibName());
    delegate.installMenus(*this);
    auto view = std::make_unique<JuggleView>(Rect{{0.0f, 0.0f}, kViewWidth, kViewHeight});
    viewWidget_ = new platform::qt::ViewWidget(std::move(view), this);
    setCentralWidget(viewWidget_);
    // The view is the window's first responder: keys go to it.
    viewWidget_->setFocus();
    resize(kViewWidth, kViewHeight + menuBar()->sizeHint().height());
}

JuggleDocument::~JuggleDocument() = default;

JuggleView& JuggleDocument::view() const {
    return static_cast<JuggleView&>(viewWidget_->view());
}

std::optional<QByteArray> JuggleDocument::dataRepresentationOfType(const QString&) const {
    return std::nullopt;
}

bool JuggleDocument::loadDataRepresentation(const QByteArray&, const QString&) {
    return true;
}
