#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "view/JuggleView.h"

// Drives an offscreen JuggleView through the frames of an export: the same clock, hand-over
// and painting code as a document window, with no window and no timer.
struct RenderSettings {
    int width = 480;
    int height = 360;
    std::optional<float> unitSide;  // none: zoom to fit
    float speed = 2.0f;             // time units per frame at 50 frames a second
    int fps = 50;
};

class SceneRenderer {
  public:
    explicit SceneRenderer(const RenderSettings& settings);

    // Installs a siteswap (zoomed as the settings say); false and a reason if invalid.
    bool load(const std::string& sequence, std::string* whyNot);

    // Shows the pattern at time t, with positions computed as a frame update would.
    void showAt(float t);

    // Time units that pass between two frames of the export.
    float frameStep() const;
    // Frame times of exactly one loop, from startLoop up to (not including) endLoop,
    // evenly spaced so that the frame after the last is the first again.
    std::vector<float> loopTimes() const;

    // Plays the loaded siteswap, chooses `next` at `switchAt` (default: the start of the
    // loop) and runs the hand-over through the transition; each frame goes to `frame`.
    // Ends after one loop of `next`. False and a reason if `next` is invalid.
    bool playHandOver(const std::string& next, std::optional<float> switchAt,
                      const std::function<void()>& frame, std::string* whyNot);

    void paint(platform::Painter& painter);
    JuggleView& view() { return *view_; }
    const RenderSettings& settings() const { return settings_; }

  private:
    void applyZoom();
    void stepBy(float amount);

    RenderSettings settings_;
    std::unique_ptr<JuggleView> view_;
};

// 0xRRGGBB of the colours a frame is painted with: the palette a GIF keeps exactly.
std::vector<uint32_t> sceneColors(const JuggleView& view);
