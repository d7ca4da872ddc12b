#pragma once

#include <functional>
#include <optional>
#include <string>

#include "export/Render.h"

// One animated GIF of a siteswap, painted as the application paints it: exactly one loop,
// or, with `then`, the siteswap, the hand-over and one loop of the next.
struct GifExport {
    std::string sequence;
    RenderSettings settings;
    std::optional<std::string> then;
    std::optional<float> switchAt;
};

// Reports frames done and the total (-1 while unknown); returning false cancels.
using ExportProgress = std::function<bool(int done, int total)>;

// Writes the file whole or not at all: false with a reason on a refusal, a failed write or
// a cancel, and nothing is left at `path`.
bool exportGif(const GifExport& request, const std::string& path, const ExportProgress& progress,
               std::string* error);

// Paints the scene into the image through the window's own painting code.
class QImage;
void paintScene(SceneRenderer& scene, QImage& image);
