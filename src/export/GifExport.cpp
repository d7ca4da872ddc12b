#include "export/GifExport.h"

#include <QImage>
#include <QPainter>

#include <cmath>

#include "export/GifWriter.h"
#include "platform/qt/QtPlatform.h"

void paintScene(SceneRenderer& scene, QImage& image) {
    QPainter painter(&image);
    platform::qt::paintView(scene.view(), painter, image.height());
}

bool exportGif(const GifExport& request, const std::string& path, const ExportProgress& progress,
               std::string* error) {
    const RenderSettings& s = request.settings;
    SceneRenderer scene(s);
    std::string why;
    if (!scene.load(request.sequence, &why)) {
        if (error != nullptr) {
            *error = "'" + request.sequence + "' is not a valid siteswap: " + why;
        }
        return false;
    }
    if (request.then && !SiteSwap::initWithSequence(*request.then, &why)) {
        if (error != nullptr) {
            *error = "'" + *request.then + "' is not a valid siteswap: " + why;
        }
        return false;
    }
    QImage image(s.width, s.height, QImage::Format_RGB32);
    GifWriter gif;
    const int delay = std::max(1, static_cast<int>(std::lround(100.0 / s.fps)));
    if (!gif.open(path, s.width, s.height, delay, sceneColors(scene.view()), error)) {
        return false;
    }
    const std::vector<float> times = request.then ? std::vector<float>{} : scene.loopTimes();
    const int total = request.then ? -1 : static_cast<int>(times.size());
    bool ok = true;
    bool cancelled = false;
    auto addFrame = [&]() {
        if (!ok) {
            return;
        }
        paintScene(scene, image);
        ok = gif.addFrame(reinterpret_cast<const uint32_t*>(image.constBits()),
                          static_cast<int>(image.bytesPerLine() / 4), error);
        if (ok && progress && !progress(gif.frameCount(), total)) {
            ok = false;
            cancelled = true;
        }
    };
    if (request.then) {
        scene.playHandOver(*request.then, request.switchAt, addFrame, nullptr);
    } else {
        for (const float t : times) {
            scene.showAt(t);
            addFrame();
        }
    }
    if (cancelled && error != nullptr) {
        *error = "cancelled";
    }
    // An unfinished writer removes its partial file when it goes out of scope.
    return ok && gif.finish(error);
}
