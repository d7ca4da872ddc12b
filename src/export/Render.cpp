#include "Render.h"

#include <cmath>

SceneRenderer::SceneRenderer(const RenderSettings& settings)
    : settings_(settings),
      view_(std::make_unique<JuggleView>(
          Rect{{0, 0}, static_cast<float>(settings.width), static_cast<float>(settings.height)})) {
    view_->awakeFromNib();
}

void SceneRenderer::applyZoom() {
    if (settings_.unitSide) {
        view_->setUnitSide(*settings_.unitSide);
    }
}

bool SceneRenderer::load(const std::string& sequence, std::string* whyNot) {
    auto pattern = SiteSwap::initWithSequence(sequence, whyNot);
    if (!pattern) {
        return false;
    }
    view_->setIsPlaying(false);
    view_->setPattern(std::move(pattern));
    applyZoom();
    view_->nextFrame();
    return true;
}

void SceneRenderer::stepBy(float amount) {
    // The view's own clock step, so switching and snapping behave as on screen.
    const float speed = view_->deltaTime();
    view_->setDeltaTime(amount);
    view_->incrementTime();
    view_->setDeltaTime(speed);
}

void SceneRenderer::showAt(float t) {
    stepBy(t - view_->time());
    view_->nextFrame();
}

float SceneRenderer::frameStep() const {
    return static_cast<float>(settings_.speed * 50.0 / settings_.fps);
}

std::vector<float> SceneRenderer::loopTimes() const {
    std::vector<float> times;
    const JPattern* pattern = view_->pattern().get();
    if (pattern == nullptr || frameStep() <= 0) {
        return times;
    }
    const double start = pattern->startLoop();
    const double length = pattern->endLoop() - start;
    const long frames = std::max(1L, std::lround(length / frameStep()));
    times.reserve(static_cast<std::size_t>(frames));
    for (long i = 0; i < frames; ++i) {
        times.push_back(static_cast<float>(start + length * static_cast<double>(i) / frames));
    }
    return times;
}

bool SceneRenderer::playHandOver(const std::string& next, std::optional<float> switchAt,
                                 const std::function<void()>& frame, std::string* whyNot) {
    auto target = SiteSwap::initWithSequence(next, whyNot);
    if (!target) {
        return false;
    }
    const JPattern* first = view_->pattern().get();
    const float step = frameStep();
    const float chooseAt = switchAt.value_or(first != nullptr ? first->startLoop() : 0.0f);
    // The old siteswap plays from the start until the choice is made.
    for (float t = 0; t < chooseAt; t += step) {
        showAt(t);
        frame();
    }
    showAt(chooseAt);
    view_->setIsPlaying(true);
    view_->setPattern(target);
    // Frames go on until the view has entered the new siteswap, then one loop of it.
    const int limit = 1 << 20;
    int frames = 0;
    while ((view_->willTransition() || view_->isTransitioning()) && frames++ < limit) {
        frame();
        stepBy(step);
        view_->nextFrame();
    }
    const float length = target->endLoop() - target->startLoop();
    for (float played = 0; played < length && frames++ < limit; played += step) {
        frame();
        stepBy(step);
        view_->nextFrame();
    }
    view_->setIsPlaying(false);
    return true;
}

void SceneRenderer::paint(platform::Painter& painter) {
    view_->drawRect(painter, view_->bounds());
}

std::vector<uint32_t> sceneColors(const JuggleView& view) {
    auto rgb = [](const platform::Color& c) {
        auto byte = [](float v) {
            return static_cast<uint32_t>(std::lround((v < 0 ? 0 : v > 1 ? 1 : v) * 255.0f));
        };
        return byte(c.red) << 16 | byte(c.green) << 8 | byte(c.blue);
    };
    std::vector<uint32_t> colors = {rgb(platform::named::white), rgb(platform::named::lightGray),
                                    rgb(platform::named::black)};
    for (const platform::Color& c : view.colors()) {
        colors.push_back(rgb(c));
    }
    return colors;
}
