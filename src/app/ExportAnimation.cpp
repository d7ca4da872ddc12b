#include "app/ExportAnimation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QProgressDialog>

#include <algorithm>

#include "export/GifExport.h"
#include "view/JuggleView.h"

namespace {

// The siteswap the view shows, or the one it is handing over to.
std::string shownSequence(const JuggleView& view) {
    if (const auto siteSwap = view.siteSwap()) {
        return siteSwap->sequence();
    }
    if (view.transition()) {
        return view.transition()->nextSiteSwap()->sequence();
    }
    return {};
}

}  // namespace

void exportAnimation(JuggleView* view, QWidget* parent) {
    if (view == nullptr) {
        return;
    }
    const std::string sequence = shownSequence(*view);
    if (sequence.empty()) {
        return;
    }
    const QString path = QFileDialog::getSaveFileName(
        parent, QStringLiteral("Export Animation"),
        QDir::home().filePath(QString::fromStdString(sequence) + QStringLiteral(".gif")),
        QStringLiteral("Animated GIF (*.gif)"));
    if (path.isEmpty()) {
        return;
    }
    QString target = path;
    if (!target.endsWith(QStringLiteral(".gif"), Qt::CaseInsensitive)) {
        target += QStringLiteral(".gif");
    }

    GifExport request{sequence, RenderSettings{}, std::nullopt, std::nullopt};
    const Rect frame = view->frame();
    request.settings.width = std::clamp(static_cast<int>(frame.width), 16, 4096);
    request.settings.height = std::clamp(static_cast<int>(frame.height), 16, 4096);
    request.settings.unitSide = view->unitSide();
    // A frozen clock (the zoom slider held) would give a still: use the starting speed then.
    request.settings.speed = view->deltaTime() > 0 ? view->deltaTime() : 2.0f;

    QProgressDialog progress(
        QStringLiteral("Rendering %1...").arg(QString::fromStdString(sequence)),
        QStringLiteral("Cancel"), 0, 0, parent);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(300);
    std::string error;
    const bool written = exportGif(
        request, target.toStdString(),
        [&](int done, int total) {
            if (total > 0 && progress.maximum() != total) {
                progress.setMaximum(total);
            }
            progress.setValue(total > 0 ? std::min(done, total - 1) : done);
            QCoreApplication::processEvents();
            return !progress.wasCanceled();
        },
        &error);
    progress.reset();
    if (!written && error != "cancelled") {
        QMessageBox::warning(parent, QStringLiteral("Export Animation"),
                             QStringLiteral("The animation could not be saved.\n%1")
                                 .arg(QString::fromStdString(error)));
    }
}
