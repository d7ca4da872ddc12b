#include <QFileInfo>
#include <QMenuBar>
#include <QPushButton>

#include "AppFixture.h"
#include "app/ControlsWindowController.h"
#include "app/PanelWindow.h"
#include "app/SettingsWindowController.h"
#include "app/ValueSlider.h"
#include "app/ZoomSlider.h"

namespace {

using Shell = AppFixture;
using ControlsPanel = AppFixture;
using SettingsPanel = AppFixture;

// --- menus and documents

TEST_F(Shell, PlayPauseItemTogglesByItsOwnTitle) {
    start();
    QAction* item = delegate_->playPauseItem();
    EXPECT_EQ(item->text().size(), 25);
    item->trigger();
    EXPECT_TRUE(view().isPlaying());
    EXPECT_EQ(item->text(), AppDelegate::kPauseTitle);
    EXPECT_EQ(AppDelegate::kPauseTitle.size(), 25);
    item->trigger();
    EXPECT_FALSE(view().isPlaying());
    EXPECT_EQ(item->text(), AppDelegate::kPlayTitle);
    // The space bar in the document window toggles too, and the title follows.
    QTest::keyClick(&document_->viewWidget(), Qt::Key_Space);
    EXPECT_TRUE(view().isPlaying());
    EXPECT_EQ(item->text(), AppDelegate::kPauseTitle);
}

TEST_F(Shell, StepItemsStopAndMoveOneStepOnTheArrowKeys) {
    start();
    EXPECT_EQ(delegate_->stepForwardItem()->shortcut(), QKeySequence(Qt::Key_Right));
    EXPECT_EQ(delegate_->stepBackItem()->shortcut(), QKeySequence(Qt::Key_Left));
    view().setIsPlaying(true);
    const float before = view().time();
    delegate_->stepForwardItem()->trigger();
    EXPECT_FALSE(view().isPlaying());
    EXPECT_EQ(view().time(), before + view().deltaTime());
    delegate_->stepBackItem()->trigger();
    delegate_->stepBackItem()->trigger();
    EXPECT_EQ(view().time(), 0.0f) << "clamped at the start";
}

TEST_F(Shell, ZoomToFitTheMenuSendsTheNewScaleToTheSettingsPanel) {
    start();
    delegate_->showSettingsItem()->trigger();
    auto& settings = SettingsWindowController::sharedWindowController();
    const float fitted = view().unitSide();
    view().setUnitSide(fitted * 0.5f);
    delegate_->zoomToFitItem()->trigger();
    EXPECT_EQ(view().unitSide(), fitted);
    EXPECT_EQ(settings.zoomSlider()->floatValue(), fitted);
}

TEST_F(Shell, WithoutADocumentTheAnimationItemsDoNothingAndThePanelsStillShow) {
    start(false);
    for (QAction* item : {delegate_->playPauseItem(), delegate_->stepForwardItem(),
                          delegate_->stepBackItem(), delegate_->zoomToFitItem()}) {
        item->trigger();
    }
    delegate_->showControlsItem()->trigger();
    delegate_->showSettingsItem()->trigger();
    EXPECT_TRUE(ControlsWindowController::sharedWindowController().window()->isVisible());
    EXPECT_TRUE(SettingsWindowController::sharedWindowController().window()->isVisible());
    ControlsWindowController::sharedWindowController().playPauseButton()->click();
    EXPECT_EQ(ControlsWindowController::sharedWindowController().playState(), 1);
}

TEST_F(Shell, OpeningAnyFileShowsAFreshWindowWithFive) {
    start();
    table().selectRow(3);
    JuggleDocument* opened = delegate_->openDocument(home_.path() + "/whatever.txt");
    EXPECT_TRUE(opened->isVisible());
    EXPECT_EQ(opened->windowTitle(), "5");
    EXPECT_EQ(opened->view().siteSwap()->sequence(), "5");
    EXPECT_FALSE(opened->dataRepresentationOfType("juggle").has_value());
    EXPECT_EQ(delegate_->documents().size(), 2);
    EXPECT_EQ(opened->menuBar()->actions().size(), 3) << "File, Animation, Window";
}

TEST_F(Shell, ClosingTheLastDocumentWindowQuitsAndSavesTheList) {
    start();
    delegate_->setQuitWhenLastDocumentCloses(true);
    JuggleDocument* second = delegate_->newDocument();
    second->close();
    settle();
    ASSERT_EQ(delegate_->documents().size(), 1);
    EXPECT_FALSE(QFileInfo::exists(home_.listPath())) << "one window is still open";
    document_->close();
    document_ = nullptr;
    settle();
    EXPECT_TRUE(delegate_->documents().isEmpty());
    EXPECT_EQ(SiteSwapListFile::load(home_.listPath()).strings,
              SiteSwapWindowController::defaultSiteSwapList());
}

TEST_F(Shell, TheListPanelCanBeBroughtBackAfterClosing) {
    start();
    list().window()->close();
    EXPECT_FALSE(list().window()->isVisible());
    delegate_->showSiteSwapsItem()->trigger();
    EXPECT_TRUE(list().window()->isVisible());
}

// --- Controls

TEST_F(ControlsPanel, FirstPlacementAndSizeLimits) {
    start();
    delegate_->showControls();
    PanelWindow* panel = ControlsWindowController::sharedWindowController().window();
    EXPECT_EQ(panel->frameTopLeftPoint(), QPointF(25, 100));
    EXPECT_EQ(panel->size(), QSize(525, 60));
    EXPECT_EQ(panel->minimumSize(), QSize(175, 60));
    EXPECT_EQ(panel->maximumSize(), QSize(750, 60));
}

TEST_F(ControlsPanel, ButtonsAndSliderActOnTheCurrentView) {
    start();
    delegate_->showControls();
    auto& controls = ControlsWindowController::sharedWindowController();
    QPushButton* playPause = controls.playPauseButton();

    QTest::mouseClick(playPause, Qt::LeftButton);
    EXPECT_TRUE(view().isPlaying());
    EXPECT_TRUE(playPause->isChecked());
    EXPECT_TRUE(controls.showsPauseImage());
    EXPECT_EQ(delegate_->playPauseItem()->text(), AppDelegate::kPauseTitle);

    // Stopped elsewhere (the menu): the button follows without acting.
    delegate_->playPauseItem()->trigger();
    EXPECT_FALSE(playPause->isChecked());
    EXPECT_FALSE(controls.showsPauseImage());
    EXPECT_FALSE(view().isPlaying());

    view().setIsPlaying(true);
    QTest::mouseClick(controls.stepForwardButton(), Qt::LeftButton);
    EXPECT_FALSE(view().isPlaying());
    EXPECT_EQ(view().time(), 2.0f);
    QTest::mouseClick(controls.stepBackButton(), Qt::LeftButton);
    EXPECT_EQ(view().time(), 0.0f);
    EXPECT_TRUE(controls.stepForwardButton()->autoRepeat());
    EXPECT_EQ(controls.stepForwardButton()->autoRepeatDelay(), 250);
    EXPECT_EQ(controls.stepForwardButton()->autoRepeatInterval(), 20);

    // Scrubbing: the slider is 0 to 100 percent of the first pass; "5" ends it at 464.
    view().setIsPlaying(true);
    ValueSlider* slider = controls.slider();
    slider->setValue(slider->maximum() / 2);
    EXPECT_FALSE(view().isPlaying());
    EXPECT_EQ(view().time(), 232.0f);
    // The view moves the slider at each frame.
    view().incrementTime();
    view().nextFrame();
    EXPECT_FLOAT_EQ(slider->floatValue(), view().normalizedTime());

    // Space toggles from the panel; other keys do nothing.
    QTest::keyClick(controls.window(), Qt::Key_Space);
    EXPECT_TRUE(view().isPlaying());
    QTest::keyClick(controls.window(), Qt::Key_A);
    EXPECT_TRUE(view().isPlaying());
}

TEST_F(ControlsPanel, FollowsTheWindowThatBecomesMain) {
    start();
    JuggleDocument* first = document_;
    delegate_->showControls();
    auto& controls = ControlsWindowController::sharedWindowController();
    first->view().setIsPlaying(true);
    JuggleDocument* second = delegate_->newDocument();
    makeMain(second);
    EXPECT_FALSE(controls.playPauseButton()->isChecked());
    EXPECT_EQ(delegate_->playPauseItem()->text(), AppDelegate::kPlayTitle);

    QTest::mouseClick(controls.playPauseButton(), Qt::LeftButton);
    EXPECT_TRUE(second->view().isPlaying());
    second->view().setIsPlaying(false);
    makeMain(first);
    EXPECT_TRUE(controls.playPauseButton()->isChecked());
    EXPECT_EQ(delegate_->playPauseItem()->text(), AppDelegate::kPauseTitle);
    QTest::mouseClick(controls.playPauseButton(), Qt::LeftButton);
    EXPECT_FALSE(first->view().isPlaying());
    EXPECT_FALSE(second->view().isPlaying());
}

// --- Settings

TEST_F(SettingsPanel, PlacementAndSlidersFollowTheCurrentView) {
    start();
    JuggleDocument* first = document_;
    delegate_->showSettings();
    auto& settings = SettingsWindowController::sharedWindowController();
    PanelWindow* panel = settings.window();
    const QSizeF screen = mainScreenSize();
    EXPECT_NEAR(panel->frameTopLeftPoint().x(), screen.width() * 575 / 800 + 35, 1.0);
    EXPECT_NEAR(panel->frameTopLeftPoint().y(), screen.height() * 551 / 600 - 35, 1.0);
    EXPECT_EQ(panel->size(), QSize(161, 233));

    ValueSlider* speed = settings.speedSlider();
    EXPECT_EQ(speed->floatValue(), 2.0f);
    EXPECT_LE(speed->minValue(), 2.0);
    EXPECT_GE(speed->maxValue(), 2.0);
    EXPECT_EQ(settings.zoomSlider()->floatValue(), view().unitSide());

    speed->setValue(speed->maximum() / 2);
    EXPECT_FLOAT_EQ(first->view().deltaTime(), static_cast<float>(speed->maxValue() / 2));
    settings.zoomSlider()->setValue(settings.zoomSlider()->minimum());
    EXPECT_EQ(first->view().unitSide(), 0.5f);

    JuggleDocument* second = delegate_->newDocument();
    makeMain(second);
    EXPECT_EQ(speed->floatValue(), 2.0f);
    EXPECT_EQ(settings.zoomSlider()->floatValue(), second->view().unitSide());
    makeMain(first);
    EXPECT_EQ(settings.zoomSlider()->floatValue(), 0.5f);
}

TEST_F(SettingsPanel, ZoomSliderRangeAndTicks) {
    start();
    ZoomSlider* zoom = SettingsWindowController::sharedWindowController().zoomSlider();
    EXPECT_EQ(zoom->minValue(), 0.5);
    EXPECT_EQ(zoom->maxValue(), 1.5);
    EXPECT_EQ(zoom->numberOfTickMarks(), 15);
    EXPECT_EQ(zoom->tickPosition(), QSlider::TicksBelow);
    EXPECT_TRUE(zoom->hasTracking());
    // Between the ticks: a value 0.5 + 1/28 lies halfway from the first tick to the second.
    zoom->setValue(50);
    EXPECT_NEAR(view().unitSide(), 0.5 + 1.0 / 28, 1e-6);
}

TEST_F(SettingsPanel, DraggingTheZoomSliderFreezesTheClockUntilTheRelease) {
    start();
    delegate_->showSettings();
    ZoomSlider* zoom = SettingsWindowController::sharedWindowController().zoomSlider();
    view().setIsPlaying(true);
    view().setDeltaTime(3.0f);
    const QPoint handle(zoom->width() / 2, zoom->height() / 2);
    QTest::mousePress(zoom, Qt::LeftButton, Qt::NoModifier, handle);
    EXPECT_EQ(view().deltaTime(), 0.0f);
    const float frozenAt = view().time();
    view().nextFrame(view().frameTimer());
    view().nextFrame(view().frameTimer());
    EXPECT_EQ(view().time(), frozenAt);
    QTest::mouseMove(zoom, QPoint(zoom->width() / 4, zoom->height() / 2));
    QTest::mouseRelease(zoom, Qt::LeftButton, Qt::NoModifier,
                        QPoint(zoom->width() / 4, zoom->height() / 2));
    EXPECT_EQ(view().deltaTime(), 3.0f);
    EXPECT_TRUE(view().isPlaying());
}

TEST_F(SettingsPanel, SpaceOnThePanelToggles) {
    start();
    delegate_->showSettings();
    QTest::keyClick(SettingsWindowController::sharedWindowController().window(), Qt::Key_Space);
    EXPECT_TRUE(view().isPlaying());
}

TEST_F(SettingsPanel, PanelFramesAreKeptBetweenRuns) {
    start();
    delegate_->showSettings();
    delegate_->showControls();
    SettingsWindowController::sharedWindowController().window()->move(40, 50);
    ControlsWindowController::sharedWindowController().window()->move(70, 300);
    ControlsWindowController::sharedWindowController().window()->resize(300, 60);
    stop();
    start();
    delegate_->showSettings();
    delegate_->showControls();
    EXPECT_EQ(SettingsWindowController::sharedWindowController().window()->pos(), QPoint(40, 50));
    EXPECT_EQ(ControlsWindowController::sharedWindowController().window()->pos(), QPoint(70, 300));
    EXPECT_EQ(ControlsWindowController::sharedWindowController().window()->size(), QSize(300, 60));
}

}  // namespace
