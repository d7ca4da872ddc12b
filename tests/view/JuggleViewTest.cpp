#include "view/JuggleView.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "fakes/FakePlatform.h"
#include "platform/NotificationCenter.h"

namespace {

std::shared_ptr<SiteSwap> make(const char* sequence) {
    auto s = SiteSwap::initWithSequence(sequence);
    EXPECT_TRUE(s) << sequence;
    return s;
}

// GIVEN a fresh 640 x 480 view on the recording toolkit, with every notification counted.
class JuggleViewTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (auto name :
             {UpdateSiteSwapNotification, UpdateControlsNotification, UpdateSettingsNotification}) {
            tokens_.push_back(platform::NotificationCenter::defaultCenter().addObserver(
                name, nullptr, [this](const platform::Notification& n) {
                    posted.push_back(n.name);
                    senders.push_back(n.object);
                }));
        }
        view = std::make_unique<JuggleView>(Rect{{0, 0}, 640, 480});
        posted.clear();
        senders.clear();
    }
    void TearDown() override { platform::setCurrentView(nullptr); }

    void stepTo(float t) {
        while (view->time() < t) {
            view->incrementTime();
        }
    }
    // One step back to 0 and one forward to t.
    void setClock(float t) {
        const float step = view->deltaTime();
        view->setDeltaTime(1.0e6f);
        view->decrementTime();
        view->setDeltaTime(t);
        view->incrementTime();
        view->setDeltaTime(step);
    }
    int postedCount(std::string_view name) const {
        return static_cast<int>(std::count(posted.begin(), posted.end(), std::string(name)));
    }

    fakes::FakeToolkit toolkit;
    std::unique_ptr<JuggleView> view;
    std::vector<std::string> posted;
    std::vector<platform::View*> senders;

  private:
    std::vector<platform::ObserverToken> tokens_;
};

// ---------------------------------------------------------------- construction

TEST_F(JuggleViewTest, StartsSteadyWithFivePausedAtTimeZero) {
    ASSERT_TRUE(view->siteSwap());
    EXPECT_EQ(view->siteSwap()->sequence(), "5");
    EXPECT_EQ(view->title(), "5");
    EXPECT_FALSE(view->isPlaying());
    EXPECT_FALSE(view->willTransition());
    EXPECT_FALSE(view->isTransitioning());
    EXPECT_EQ(view->transition(), nullptr);
    EXPECT_EQ(view->time(), 0.0f);
    EXPECT_EQ(view->deltaTime(), 2.0f);
    EXPECT_EQ(view->ballRectManagers().size(), 5u);
    EXPECT_EQ(view->handRectManagers().size(), 2u);
    EXPECT_TRUE(view->isOpaque());
    EXPECT_TRUE(view->acceptsFirstResponder());
    EXPECT_EQ(view->frameTimer(), nullptr);
    // Zoomed to fit: the scale is the unit size and the bounds are centred.
    EXPECT_EQ(view->scaleX(), static_cast<double>(view->unitSide()));
    const Rect b = view->bounds();
    EXPECT_EQ(b.origin, (Point{-b.width / 2, -64}));
}

TEST_F(JuggleViewTest, BallColoursAreTheEighteenInOrder) {
    const auto& c = view->colors();
    ASSERT_EQ(c.size(), 18u);
    EXPECT_EQ(c[0], platform::named::blue);
    EXPECT_EQ(c[1], (platform::Color{1.0f, 0.9725f, 0.0f, 1.0f}));
    EXPECT_EQ(c[2], platform::named::red);
    EXPECT_EQ(c[13], (platform::Color{0.392f, 0.584f, 0.929f, 1.0f}));
    EXPECT_EQ(c[17], platform::named::black);
    for (const auto& colour : c) {
        EXPECT_EQ(colour.alpha, 1.0f);
    }
}

TEST_F(JuggleViewTest, ActivationStartsATwentyMillisecondTimerThatStopsWithTheView) {
    view->awakeFromNib();
    ASSERT_EQ(toolkit.timers.size(), 1u);
    EXPECT_EQ(toolkit.timers[0]->seconds(), 0.02);
    view->setIsPlaying(true);
    toolkit.timers[0]->fire();
    EXPECT_EQ(view->time(), 2.0f);
    view.reset();
    EXPECT_TRUE(toolkit.timers.empty());
}

// ---------------------------------------------------------------- the hand-over

TEST_F(JuggleViewTest, FiveToThreeAtTenSwitchesTwiceWithTitlesAndClockConverted) {
    view->setIsPlaying(true);
    stepTo(10.0f);
    const auto three = make("3");
    view->setPattern(three);

    // WHEN armed: the old siteswap keeps playing under its own title.
    ASSERT_TRUE(view->willTransition());
    const auto transition = view->transition();
    ASSERT_TRUE(transition);
    EXPECT_EQ(transition->endSiteSwap1(), 160.0f);
    EXPECT_EQ(transition->startTransition(), 128.0f);
    EXPECT_EQ(transition->endTransition(), 352.0f);
    EXPECT_EQ(transition->startSiteSwap2(), 256.0f);
    EXPECT_EQ(view->title(), "5");
    EXPECT_EQ(view->time(), 10.0f);
    EXPECT_EQ(view->needsWaitCursor(), 5);
    EXPECT_GE(view->ballRectManagers().size(), static_cast<size_t>(transition->numberOfBalls()));

    // THEN 160 itself does not switch; 162 enters the transition at 130.
    stepTo(160.0f);
    EXPECT_TRUE(view->willTransition());
    EXPECT_EQ(view->title(), "5");
    view->incrementTime();
    EXPECT_TRUE(view->isTransitioning());
    EXPECT_FALSE(view->willTransition());
    EXPECT_EQ(view->time(), 130.0f);
    EXPECT_EQ(view->title(), "5 to 3");
    EXPECT_EQ(view->pattern(), std::static_pointer_cast<JPattern>(transition));

    // 352 does not switch; 354 enters "3" at 258.
    stepTo(352.0f);
    EXPECT_TRUE(view->isTransitioning());
    view->incrementTime();
    EXPECT_FALSE(view->isTransitioning());
    EXPECT_EQ(view->time(), 258.0f);
    EXPECT_EQ(view->title(), "3");
    EXPECT_EQ(view->pattern(), std::static_pointer_cast<JPattern>(three));
    EXPECT_EQ(view->transition(), nullptr);
}

TEST_F(JuggleViewTest, ChoosingWhileTransitioningIsIgnoredAndWhilePendingReplaces) {
    view->setIsPlaying(true);
    stepTo(10.0f);
    view->setPattern(make("3"));
    const auto first = view->transition();
    stepTo(20.0f);
    const auto four = make("4");
    view->setPattern(four);
    ASSERT_TRUE(view->willTransition());
    EXPECT_NE(view->transition(), first);
    EXPECT_EQ(view->transition()->nextSiteSwap(), four);
    EXPECT_EQ(view->siteSwap()->sequence(), "5");  // still built from the old siteswap

    stepTo(view->transition()->endSiteSwap1() + 1.0f);
    ASSERT_TRUE(view->isTransitioning());
    const auto running = view->transition();
    const float t = view->time();
    view->setPattern(make("531"));
    EXPECT_EQ(view->transition(), running);
    EXPECT_EQ(view->time(), t);
    EXPECT_EQ(view->title(), "5 to 4");
}

TEST_F(JuggleViewTest, ChoosingWhilePausedInstallsAtOnce) {
    stepTo(40.0f);
    view->setPattern(make("531"));
    EXPECT_FALSE(view->willTransition());
    EXPECT_EQ(view->transition(), nullptr);
    EXPECT_EQ(view->title(), "531");
    EXPECT_EQ(view->time(), 0.0f);
    EXPECT_EQ(postedCount(UpdateSettingsNotification), 1);  // zoomed to fit
}

TEST_F(JuggleViewTest, ClearingThePatternLeavesAnEmptyViewThatDoesNothing) {
    view->setPattern(nullptr);
    EXPECT_EQ(view->pattern(), nullptr);
    EXPECT_EQ(view->title(), " ");
    EXPECT_TRUE(view->wholeMarked());
    view->clearMarks();
    view->nextFrame();
    EXPECT_FALSE(view->needsDisplay());
    EXPECT_EQ(view->normalizedTime(), 0.0f);
    view->setNormalizedTime(50.0f);
    EXPECT_EQ(view->time(), 0.0f);
    view->zoomToFit();
    EXPECT_EQ(postedCount(UpdateSettingsNotification), 0);
}

// A direct replacement must not leave a hand-over behind: a pending one would later fire
// into a siteswap no longer chosen, a running one is a pattern the view has let go of.
TEST_F(JuggleViewTest, DirectReplacementCancelsAPendingHandOver) {
    view->setIsPlaying(true);
    stepTo(10.0f);
    view->setPattern(make("3"));
    view->armWaitCursors({"wait", 8, 8}, 6);
    view->setIsPlaying(false);
    view->setPattern(make("4"));

    EXPECT_EQ(view->transition(), nullptr);
    EXPECT_FALSE(view->willTransition());
    EXPECT_FALSE(view->isTransitioning());
    EXPECT_TRUE(toolkit.stack.empty());
    stepTo(400.0f);
    EXPECT_EQ(view->title(), "4");
    EXPECT_EQ(view->siteSwap()->sequence(), "4");
}

TEST_F(JuggleViewTest, ClearingCancelsARunningHandOver) {
    view->setIsPlaying(true);
    stepTo(10.0f);
    view->setPattern(make("3"));
    view->armWaitCursors({"wait", 8, 8}, 6);
    stepTo(170.0f);
    ASSERT_TRUE(view->isTransitioning());

    view->setPattern(nullptr);
    EXPECT_EQ(view->pattern(), nullptr);
    EXPECT_EQ(view->transition(), nullptr);
    EXPECT_FALSE(view->isTransitioning());
    EXPECT_TRUE(toolkit.stack.empty());
    view->incrementTime();  // no transition left to end
    EXPECT_EQ(view->title(), " ");
}

// ---------------------------------------------------------------- wait cursors

TEST_F(JuggleViewTest, WaitCursorsArePoppedFiveThenTheRestWhenTheHandOverEnds) {
    view->setIsPlaying(true);
    EXPECT_FALSE(view->armWaitCursors({"wait", 8, 8}, 6));  // nothing armed yet
    EXPECT_TRUE(toolkit.stack.empty());

    view->setPattern(make("3"));
    ASSERT_TRUE(view->armWaitCursors({"wait", 8, 8}, 6));
    EXPECT_EQ(toolkit.stack.size(), 6u);
    for (int i = 0; i < 5; ++i) {
        view->incrementTime();
    }
    EXPECT_EQ(toolkit.count("pop"), 5);
    EXPECT_EQ(toolkit.stack.size(), 1u);  // the wait still shows
    view->incrementTime();
    EXPECT_EQ(toolkit.count("pop"), 5);

    stepTo(view->transition()->endSiteSwap1() + 1.0f);
    stepTo(view->transition()->endTransition() + 1.0f);
    EXPECT_FALSE(view->isTransitioning());
    EXPECT_TRUE(toolkit.stack.empty());
    EXPECT_EQ(toolkit.log.back(), "arrow");
}

TEST_F(JuggleViewTest, ReplacingAPendingTransitionPopsItsCursorsFirst) {
    view->setIsPlaying(true);
    view->setPattern(make("3"));
    view->armWaitCursors({"wait", 8, 8}, 6);
    view->setPattern(make("4"));
    EXPECT_TRUE(toolkit.stack.empty());
    view->armWaitCursors({"moof", 8, 8}, 6);
    EXPECT_EQ(toolkit.stack.size(), 6u);
    EXPECT_EQ(view->needsWaitCursor(), 5);

    view.reset();  // a window closed mid-hand-over takes its cursors along
    EXPECT_TRUE(toolkit.stack.empty());
}

// ---------------------------------------------------------------- clock

TEST_F(JuggleViewTest, SteppingBackStopsAtZeroOrAtTheTransitionStart) {
    view->setDeltaTime(1.0f);
    view->incrementTime();
    view->setDeltaTime(2.0f);
    view->decrementTime();
    EXPECT_EQ(view->time(), 0.0f);
    EXPECT_EQ(view->snapTime(), 0.0f);

    view->setIsPlaying(true);
    view->setPattern(make("3"));
    stepTo(162.0f);
    ASSERT_TRUE(view->isTransitioning());
    view->setDeltaTime(1000.0f);
    view->decrementTime();
    EXPECT_EQ(view->time(), view->transition()->startTransition());
    EXPECT_TRUE(view->isTransitioning());
}

TEST_F(JuggleViewTest, SliderMapping) {
    // "5" loops from 144 to 464.
    ASSERT_EQ(view->pattern()->endLoop(), 464.0f);
    struct Case {
        float time;
        float percent;
    };
    for (const Case& c : {Case{232.0f, 50.0f}, Case{928.0f, 200.0f}, Case{0.0f, 0.0f}}) {
        setClock(c.time);
        EXPECT_EQ(view->normalizedTime(), c.percent) << c.time;
    }
    view->setDeltaTime(2.0f);
    view->setNormalizedTime(50.0f);
    EXPECT_EQ(view->time(), 232.0f);

    setClock(10.0f);
    view->setIsPlaying(true);
    view->setPattern(make("3"));  // the transition runs from 128 to 352
    stepTo(162.0f);
    ASSERT_TRUE(view->isTransitioning());
    view->setNormalizedTime(50.0f);
    EXPECT_EQ(view->time(), 240.0f);
    EXPECT_EQ(view->normalizedTime(), 50.0f);
}

TEST_F(JuggleViewTest, SliderSnapsToTheLastSteppedTimeWithinOneUnit) {
    view->setDeltaTime(10.0f);
    view->incrementTime();
    ASSERT_EQ(view->snapTime(), 10.0f);
    const auto percentFor = [](float t) { return t * 100.0f / 464.0f; };
    for (float t : {10.6f, 9.2f, 10.0f}) {
        view->setNormalizedTime(percentFor(t));
        EXPECT_EQ(view->time(), 10.0f) << t;
    }
    view->setNormalizedTime(percentFor(11.5f));
    EXPECT_NEAR(view->time(), 11.5f, 1e-4);
    EXPECT_EQ(view->snapTime(), 10.0f);
}

TEST_F(JuggleViewTest, SliderMovesAPendingSwitchIntoTheSecondPass) {
    view->setIsPlaying(true);
    stepTo(10.0f);
    view->setPattern(make("3"));
    for (const auto& [before, after] :
         {std::pair{160.0f, 480.0f}, std::pair{800.0f, 480.0f}, std::pair{480.0f, 480.0f}}) {
        view->transition()->setEndSiteSwap1(before);
        view->setNormalizedTime(100.0f);
        EXPECT_EQ(view->transition()->endSiteSwap1(), after) << before;
        EXPECT_TRUE(view->willTransition()) << before;  // 464 is before the switch
    }
}

TEST_F(JuggleViewTest, PlayingNotifiesOnChangeOnlyAndSpaceToggles) {
    view->setIsPlaying(false);
    EXPECT_TRUE(posted.empty());
    view->keyDown({" "});
    EXPECT_TRUE(view->isPlaying());
    EXPECT_EQ(posted, std::vector<std::string>{std::string(UpdateControlsNotification)});
    EXPECT_EQ(senders.back(), view.get());
    for (const char* key : {"a", "  ", "", "\r"}) {
        view->keyDown({key});
        EXPECT_TRUE(view->isPlaying()) << key;
    }
    view->keyDown({" "});
    EXPECT_FALSE(view->isPlaying());
    EXPECT_EQ(postedCount(UpdateControlsNotification), 2);
}

TEST_F(JuggleViewTest, BecomingMainPostsAllThreeAndRestoresTheSteadyTitle) {
    auto slider = std::make_shared<fakes::FakeSlider>();
    JuggleView::staticSlider(slider);
    view->setTitle("other");
    view->windowDidBecomeMain();
    EXPECT_EQ(posted, (std::vector<std::string>{std::string(UpdateSiteSwapNotification),
                                                std::string(UpdateControlsNotification),
                                                std::string(UpdateSettingsNotification)}));
    EXPECT_EQ(view->title(), "5");
    EXPECT_EQ(slider->value, 0.0f);

    view->setIsPlaying(true);
    view->setPattern(make("3"));
    view->setTitle("kept");
    view->windowDidBecomeMain();
    EXPECT_EQ(view->title(), "kept");  // a hand-over keeps its own title
    slider.reset();
    EXPECT_EQ(JuggleView::staticSlider(), nullptr);  // held weakly
}

// ---------------------------------------------------------------- frames and damage

// Settles the two re-centring frame updates so later ones show only motion.
class FrameTest : public JuggleViewTest {
  protected:
    void SetUp() override {
        JuggleViewTest::SetUp();
        view->nextFrame();
        view->clearMarks();
    }
};

TEST_F(JuggleViewTest, TheFirstTwoFramesRecentreTheBounds) {
    // During construction the bounds were uncentred and previousBounds all zero.
    EXPECT_EQ(view->previousBounds(), (Rect{{0, 0}, 640, 480}));
    view->clearMarks();
    view->nextFrame();
    EXPECT_TRUE(view->wholeMarked());
    EXPECT_EQ(view->previousBounds(), view->bounds());
    view->clearMarks();
    view->nextFrame();
    EXPECT_FALSE(view->wholeMarked());
}

TEST_F(FrameTest, ATickWhilePausedChangesNothing) {
    auto slider = std::make_shared<fakes::FakeSlider>();
    JuggleView::staticSlider(slider);
    platform::setCurrentView(view.get());
    view->awakeFromNib();
    view->clearMarks();
    toolkit.timers.at(0)->fire();
    EXPECT_EQ(view->time(), 0.0f);
    EXPECT_FALSE(view->needsDisplay());
    EXPECT_EQ(slider->sets, 0);
}

TEST_F(FrameTest, AManualRefreshWhilePausedMarksOnlyTheCentreStrip) {
    auto slider = std::make_shared<fakes::FakeSlider>();
    JuggleView::staticSlider(slider);
    view->nextFrame();
    const Rect strip{{-0.5f, -64}, 1, view->bounds().height};
    EXPECT_EQ(view->marks(), std::vector<Rect>{strip});
    EXPECT_FALSE(view->wholeMarked());
    EXPECT_EQ(slider->sets, 0);  // not the current view
    platform::setCurrentView(view.get());
    view->nextFrame();
    EXPECT_EQ(slider->sets, 1);
}

TEST_F(FrameTest, APlayingTickMarksOldAndNewRectOfEachMovedObject) {
    view->awakeFromNib();
    view->setIsPlaying(true);
    view->nextFrame();
    view->clearMarks();
    const auto before = view->ballRectManagers();
    const auto handsBefore = view->handRectManagers();
    toolkit.timers.at(0)->fire();
    EXPECT_EQ(view->time(), 2.0f);

    std::vector<Rect> expected;
    const auto& pattern = *view->pattern();
    for (int i = 0; i < pattern.numberOfBalls(); ++i) {
        const Rect now = JuggleView::ballRectForPoint(pattern.pointForBallNumber(i));
        const Rect was = before[static_cast<size_t>(i)].currentRect();
        EXPECT_EQ(view->ballRectManagers()[static_cast<size_t>(i)].previousRect(), was);
        if (!(now == was)) {
            expected.push_back(now);
            expected.push_back(was);
        }
    }
    for (int h = 0; h < 2; ++h) {
        const Rect now = JuggleView::handRectForPoint(pattern.pointForHandNumber(h));
        const Rect was = handsBefore[static_cast<size_t>(h)].currentRect();
        if (!(now == was)) {
            expected.push_back(now);
            expected.push_back(was);
        }
    }
    expected.push_back(Rect{{-0.5f, -64}, 1, view->bounds().height});
    EXPECT_GT(expected.size(), 1u);
    EXPECT_EQ(view->marks(), expected);
    EXPECT_FALSE(view->wholeMarked());
}

TEST_F(FrameTest, AResizeMarksTheWholeViewOnceMoreAtTheNextFrame) {
    view->setFrameSize(800, 300);
    view->windowDidResize();
    const Rect b = view->bounds();
    EXPECT_EQ(b.origin, (Point{-b.width / 2, -64}));
    EXPECT_TRUE(view->wholeMarked());
    view->clearMarks();
    view->nextFrame();
    EXPECT_TRUE(view->wholeMarked());
    view->clearMarks();
    view->nextFrame();
    EXPECT_FALSE(view->wholeMarked());
}

TEST_F(FrameTest, OnlyTheTwoVisibleHandsAreTrackedThroughATransition) {
    view->setIsPlaying(true);
    view->setPattern(make("3"));
    view->setPattern(make("7"));  // more balls than "5": managers grow at arming
    EXPECT_EQ(view->ballRectManagers().size(), 7u);
    stepTo(view->transition()->endSiteSwap1() + 1.0f);
    ASSERT_TRUE(view->isTransitioning());
    EXPECT_EQ(view->pattern()->numberOfHands(), 6);
    view->nextFrame();
    EXPECT_EQ(view->handRectManagers().size(), 2u);
}

// ---------------------------------------------------------------- painting

TEST_F(FrameTest, PaintingAtTimeZeroShowsOnlyTheBallInEachHand) {
    fakes::RecordingPainter painter;
    view->drawRect(painter, view->bounds());
    const auto& calls = painter.calls;
    ASSERT_GE(calls.size(), 5u);
    EXPECT_EQ(calls[0].op, "fillRect");
    EXPECT_EQ(calls[0].color, platform::named::white);
    EXPECT_EQ(calls[0].rect, view->bounds());
    EXPECT_EQ(calls[1].color, platform::named::lightGray);
    EXPECT_EQ(calls[1].a, (Point{-view->bounds().width / 2, 0}));
    EXPECT_EQ(calls[2].a, (Point{0, -64}));
    for (int h = 0; h < 2; ++h) {
        const auto& arc = calls[static_cast<size_t>(3 + h)];
        EXPECT_EQ(arc.op, "strokeArc");
        EXPECT_EQ(arc.color, platform::named::black);
        EXPECT_EQ(arc.a, view->pattern()->pointForHandNumber(h));
        EXPECT_EQ(arc.radius, 25.0f);
        EXPECT_EQ(arc.start, -165.0f);
        EXPECT_EQ(arc.end, -15.0f);
    }
    const auto& pattern = *view->pattern();
    std::vector<Rect> expected;
    bool served[2] = {false, false};
    for (int i = 0; i < pattern.numberOfBalls(); ++i) {
        bool draw = false;
        for (int h = 0; h < 2; ++h) {
            if (!served[h] && pattern.pointForBallNumber(i) == pattern.pointForHandNumber(h)) {
                served[h] = draw = true;
            }
        }
        if (draw) {
            expected.push_back(JuggleView::ballRectForPoint(pattern.pointForBallNumber(i)));
        }
    }
    std::vector<Rect> drawn;
    for (size_t k = 5; k < calls.size(); ++k) {
        drawn.push_back(calls[k].rect);
    }
    EXPECT_EQ(drawn, expected);
    EXPECT_LE(drawn.size(), 2u);
    EXPECT_LT(drawn.size(), static_cast<size_t>(pattern.numberOfBalls()));
}

TEST_F(FrameTest, PaintingLaterDrawsEveryBallTopDownInItsColour) {
    view->setPattern(make("19,"));
    ASSERT_EQ(view->pattern()->numberOfBalls(), 19);
    view->incrementTime();
    view->nextFrame();
    fakes::RecordingPainter painter;
    view->drawRect(painter, view->bounds());
    ASSERT_EQ(painter.calls.size(), 5u + 19u);
    for (int k = 0; k < 19; ++k) {
        const int ball = 18 - k;  // ball 0 last, on top
        const auto& call = painter.calls[static_cast<size_t>(5 + k)];
        EXPECT_EQ(call.op, "fillOval");
        EXPECT_EQ(call.rect,
                  JuggleView::ballRectForPoint(view->pattern()->pointForBallNumber(ball)));
        EXPECT_EQ(call.color, view->colors()[static_cast<size_t>(ball % 18)]);
    }
    EXPECT_EQ(painter.calls.back().color, platform::named::blue);
    EXPECT_EQ(painter.calls[5].color, platform::named::blue);  // ball 18 wraps round
}

// ---------------------------------------------------------------- zoom

float expectedFit(const JPattern& p, float half, float height, float unit) {
    const float nw = static_cast<float>(static_cast<double>(p.maxWidth()) + 30.0);
    const float nh = static_cast<float>(static_cast<double>(p.maxHeight()) + 104.0);
    float s = nh / nw >= height / half ? height / nh * unit : half / nw * unit;
    if (static_cast<double>(s) > 1.0 && static_cast<double>(s) < 1.15) {
        s = 1.0f;
    }
    return s;
}

TEST(JuggleViewZoom, FitsTheLimitingDimensionAndShowsNearlyNaturalSizeAtOne) {
    fakes::FakeToolkit toolkit;
    const auto five = make("5");
    const float nh = static_cast<float>(static_cast<double>(five->maxHeight()) + 104.0);
    const float nw = static_cast<float>(static_cast<double>(five->maxWidth()) + 30.0);
    struct Case {
        const char* name;
        float width;
        float height;
        float unit;
    };
    const Case cases[] = {
        {"wide, height limits at 1.1 -> 1", 4000, std::round(nh * 1.1f), 1.0f},
        {"wide, height limits at 1.2", 4000, std::round(nh * 1.2f), 0.0f},
        {"wide, height limits at 0.95", 4000, std::round(nh * 0.95f), 0.0f},
        {"narrow, width limits", std::round(nw * 2 * 0.8f), 4000, 0.0f},
        {"twice as wide as high", 640, 320, 0.0f},
    };
    for (const Case& c : cases) {
        JuggleView view(Rect{{0, 0}, c.width, c.height});
        const float expected =
            c.unit != 0.0f ? c.unit : expectedFit(*five, c.width / 2, c.height, 1.0f);
        EXPECT_EQ(view.unitSide(), expected) << c.name;
        EXPECT_EQ(view.scaleX(), static_cast<double>(expected)) << c.name;
        if (c.unit == 0.0f) {
            EXPECT_NE(view.unitSide(), 1.0f) << c.name << " (case must not be trivial)";
        }
    }
}

TEST(JuggleViewZoom, SettingTheUnitSideRescalesAndRecentres) {
    fakes::FakeToolkit toolkit;
    JuggleView view(Rect{{0, 0}, 640, 480});
    view.setUnitSide(2.0f);
    EXPECT_EQ(view.unitSide(), 2.0f);
    EXPECT_EQ(view.scaleX(), 2.0);
    const Rect b = view.bounds();
    EXPECT_EQ(b.width, 320.0f);
    EXPECT_EQ(b.height, 240.0f);
    EXPECT_EQ(b.origin, (Point{-160, -64}));  // the floor 128 pixels above the bottom
    view.clearMarks();
    view.setUnitSide(2.0f);
    EXPECT_TRUE(view.wholeMarked());
    // Zooming back and forth leaves no drift in the scale.
    for (float u : {0.7f, 1.3f, 0.5f, 1.5f, 1.0f}) {
        view.setUnitSide(u);
    }
    EXPECT_EQ(view.bounds().width, 640.0f);
}

TEST(JuggleViewZoom, UnusableUnitSidesAndEmptyViewsLeaveTheViewWorking) {
    fakes::FakeToolkit toolkit;
    JuggleView view(Rect{{0, 0}, 640, 480});
    const float unit = view.unitSide();
    const Rect bounds = view.bounds();
    for (float bad : {0.0f, -1.0f, std::numeric_limits<float>::quiet_NaN(),
                      std::numeric_limits<float>::infinity(), 1.0e-45f}) {
        view.setUnitSide(bad);
        EXPECT_EQ(view.unitSide(), unit) << bad;
        EXPECT_EQ(view.bounds(), bounds) << bad;
    }

    for (const Rect frame : {Rect{{0, 0}, 0, 480}, Rect{{0, 0}, 640, 0}, Rect{}}) {
        JuggleView empty(frame);
        EXPECT_EQ(empty.unitSide(), 1.0f);
        empty.zoomToFit();
        EXPECT_EQ(empty.unitSide(), 1.0f);
        empty.setFrameSize(640, 480);
        empty.windowDidResize();
        empty.zoomToFit();
        EXPECT_TRUE(std::isfinite(empty.unitSide()) && empty.unitSide() > 0.0f);
        EXPECT_TRUE(std::isfinite(empty.bounds().width));
    }
}

// ---------------------------------------------------------------- DrawRectManager

TEST(DrawRectManager, MarksBothRectsSeparatelyOrNothingWhenUnmoved) {
    platform::View view(Rect{{0, 0}, 100, 100});
    DrawRectManager manager;
    const Rect a{{10, 10}, 30, 30};
    const Rect b{{50, 60}, 30, 30};
    manager.postCurrentRect(a);
    manager.setNeedsDisplayForView(view);
    EXPECT_EQ(view.marks(), std::vector<Rect>{a});  // the all-zero rect adds nothing
    view.clearMarks();
    manager.postCurrentRect(b);
    manager.setNeedsDisplayForView(view);
    EXPECT_EQ(view.marks(), (std::vector<Rect>{b, a}));
    view.clearMarks();
    manager.postCurrentRect(b);
    manager.setNeedsDisplayForView(view);
    EXPECT_TRUE(view.marks().empty());
}

TEST(DrawRectManager, UnionLeavesOutEmptyRects) {
    struct Case {
        Rect previous;
        Rect current;
        Rect expected;
    };
    const Rect a{{10, 10}, 30, 30};
    const Rect b{{50, -5}, 20, 10};
    const Case cases[] = {
        {a, b, Rect{{10, -5}, 60, 45}},
        {Rect{}, a, a},
        {a, Rect{{3, 3}, 0, 5}, a},
        {Rect{{1, 1}, -2, 4}, Rect{}, Rect{}},
    };
    for (const Case& c : cases) {
        DrawRectManager m;
        m.postCurrentRect(c.previous);
        m.postCurrentRect(c.current);
        EXPECT_EQ(m.unionRect(), c.expected);
    }
}

}  // namespace
