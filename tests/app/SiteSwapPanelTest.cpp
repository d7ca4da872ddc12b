#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLineEdit>

#include "AppFixture.h"
#include "app/PanelWindow.h"

namespace {

using ListPanel = AppFixture;

// A list of four for the edit tests: a, b, c, d.
const QStringList kAbcd{"3", "441", "531", "51"};

TEST_F(ListPanel, StartsWithTheBuiltInListAndSelectsFiveForTheFirstWindow) {
    start(false);
    PanelWindow* panel = list().window();
    EXPECT_TRUE(panel->isVisible()) << "the list panel comes up before any document";
    EXPECT_EQ(keys(), SiteSwapWindowController::defaultSiteSwapList());
    EXPECT_EQ(table().selectedRow(), -1);
    // Top-left (575, 551) of an 800 x 600 screen, counted from the bottom; scaled to this one.
    const QSizeF screen = mainScreenSize();
    EXPECT_NEAR(panel->frameTopLeftPoint().x(), screen.width() * 575 / 800, 1.0);
    EXPECT_NEAR(panel->frameTopLeftPoint().y(), screen.height() * 551 / 600, 1.0);
    EXPECT_EQ(panel->size(), QSize(161, 233));

    document_ = delegate_->newDocument();
    makeMain(document_);
    EXPECT_EQ(selectedKey(), "5");
    EXPECT_EQ(document_->windowTitle(), "5");
    EXPECT_FALSE(view().isPlaying());
    EXPECT_EQ(delegate_->playPauseItem()->text(), AppDelegate::kPlayTitle);
}

TEST_F(ListPanel, TypingANewSiteswapWhilePlayingRunsATransitionUnderTheWaitCursor) {
    start();
    view().setIsPlaying(true);
    enter("531");

    EXPECT_EQ(keys().size(), 13);
    EXPECT_EQ(keys().last(), "531");
    EXPECT_EQ(selectedKey(), "531");
    EXPECT_TRUE(list().needsToSave());
    EXPECT_TRUE(view().willTransition());
    ASSERT_EQ(toolkit_.pushes.size(), 6u);
    for (const platform::Cursor& cursor : toolkit_.pushes) {
        EXPECT_EQ(cursor, SiteSwapWindowController::waitCursor());
    }
    EXPECT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(document_->windowTitle(), "5") << "the old pattern plays on until the switch";

    ASSERT_TRUE(stepUntil([&] { return view().isTransitioning(); }));
    EXPECT_EQ(document_->windowTitle(), "5 to 531");
    ASSERT_TRUE(stepUntil([&] { return !view().isTransitioning(); }));
    EXPECT_EQ(document_->windowTitle(), "531");
    EXPECT_EQ(shownSequence(), "531");
    EXPECT_EQ(toolkit_.onStack(), 0) << "every wait cursor is gone once the transition ends";
}

TEST_F(ListPanel, EnteringAKnownSiteswapSelectsItsRowOnce) {
    start();
    table().selectRow(3);
    enter("5");
    EXPECT_EQ(keys(), SiteSwapWindowController::defaultSiteSwapList());
    EXPECT_EQ(selectedKey(), "5");
    EXPECT_EQ(keys().count("5"), 1);
}

TEST_F(ListPanel, AnInvalidSiteswapTurnsRedWithTheReasonUntilEdited) {
    start();
    const QStringList before = keys();
    QLineEdit* field = list().siteSwapTextField();
    enter("54");
    EXPECT_EQ(field->palette().color(QPalette::Text), QColor(Qt::red));
    EXPECT_EQ(field->toolTip().toStdString(), SiteSwap::refusalReason("54"));
    EXPECT_FALSE(field->toolTip().isEmpty());
    EXPECT_EQ(keys(), before);
    EXPECT_EQ(selectedKey(), "5");
    EXPECT_EQ(toolkit_.beeps, 0);

    QTest::keyClick(field, Qt::Key_Backspace);
    EXPECT_EQ(field->palette().color(QPalette::Text), QColor(Qt::black));
    EXPECT_TRUE(field->toolTip().isEmpty());
}

TEST_F(ListPanel, DeleteRemovesTheSelectedRowAndAppliesTheNextOne) {
    writeList(kAbcd);
    start();
    // "5" is not in the list, so the first window added it at the end.
    ASSERT_EQ(keys(), (QStringList{"3", "441", "531", "51", "5"}));

    table().selectRow(4);  // the last: the new last row is applied
    QTest::keyClick(&table(), Qt::Key_Delete);
    EXPECT_EQ(keys(), (QStringList{"3", "441", "531", "51"}));
    EXPECT_EQ(selectedKey(), "51");
    EXPECT_EQ(shownSequence(), "51");

    table().selectRow(1);  // a middle one: the row moving up is applied
    QTest::keyClick(&table(), Qt::Key_Delete);
    EXPECT_EQ(keys(), (QStringList{"3", "531", "51"}));
    EXPECT_EQ(selectedKey(), "531");
    EXPECT_EQ(shownSequence(), "531");
    EXPECT_TRUE(list().needsToSave());

    QTest::keyClick(&table(), Qt::Key_Delete);
    QTest::keyClick(&table(), Qt::Key_Delete);
    QTest::keyClick(&table(), Qt::Key_Delete);  // the only row
    EXPECT_TRUE(keys().isEmpty());
    EXPECT_EQ(table().selectedRow(), -1);
    EXPECT_EQ(view().pattern(), nullptr);
    EXPECT_EQ(document_->windowTitle(), " ");

    QTest::keyClick(&table(), Qt::Key_Delete);  // nothing selected: nothing happens
    EXPECT_TRUE(keys().isEmpty());
}

TEST_F(ListPanel, DraggingARowMovesIt) {
    struct Case {
        const char* name;
        int from;
        int to;  // -1: released below the last row
        bool fromBelow;
        QStringList after;
        int selected;
    };
    const Case cases[] = {
        {"b over d", 1, 3, false, {"3", "531", "51", "441"}, 3},
        {"d over a", 3, 0, false, {"51", "3", "441", "531"}, 0},
        {"press below, release on a", -1, 0, true, kAbcd, -2},
        {"b released below the rows", 1, -1, false, kAbcd, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeList(kAbcd);
        start();
        ASSERT_EQ(keys().mid(0, 4), kAbcd);
        table().selectRow(4);
        QTest::keyClick(&table(), Qt::Key_Delete);  // back to a, b, c, d
        ASSERT_EQ(keys(), kAbcd);
        const bool savedBefore = list().needsToSave();
        // An earlier press leaves its row behind, as the table would remember it.
        mouse(QEvent::MouseButtonPress, rowCentre(2), Qt::LeftButton);
        mouse(QEvent::MouseButtonRelease, rowCentre(2), Qt::NoButton);

        drag(c.fromBelow ? belowLastRow() : rowCentre(c.from),
             c.to < 0 ? belowLastRow() : rowCentre(c.to));
        EXPECT_EQ(keys(), c.after);
        if (c.selected >= 0) {
            EXPECT_EQ(table().selectedRow(), c.selected);
        }
        if (!c.fromBelow) {
            // The moved row was applied at the press; the move does not restart it.
            EXPECT_EQ(QString::fromStdString(shownSequence()), kAbcd[c.from]);
        }
        if (keys() != kAbcd) {
            EXPECT_TRUE(list().needsToSave());
        } else {
            EXPECT_EQ(list().needsToSave(), savedBefore);
        }
        EXPECT_FALSE(list().needsToSwitchRows());
        stop();
    }
}

TEST_F(ListPanel, DoubleClickRestartsZoomedToFitAndPlaying) {
    start();
    view().setUnitSide(1.4f);
    for (int i = 0; i < 40; ++i) {
        view().incrementTime();
    }
    const QPoint row = rowCentre(0);
    mouse(QEvent::MouseButtonPress, row, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, row, Qt::NoButton);
    mouse(QEvent::MouseButtonDblClick, row, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, row, Qt::NoButton);
    EXPECT_TRUE(view().isPlaying());
    EXPECT_EQ(view().time(), 0.0f);
    EXPECT_NE(view().unitSide(), 1.4f);
    EXPECT_EQ(delegate_->playPauseItem()->text(), AppDelegate::kPauseTitle);
}

TEST_F(ListPanel, RefusesChangesWithABeepWhileATransitionIsInProgress) {
    start();
    view().setIsPlaying(true);
    table().selectRow(1);  // "5r": a transition is armed
    ASSERT_TRUE(view().willTransition());
    const QStringList before = keys();

    enter("531");
    EXPECT_EQ(toolkit_.beeps, 1);
    EXPECT_EQ(keys(), before);
    QTest::keyClick(&table(), Qt::Key_Delete);
    EXPECT_EQ(toolkit_.beeps, 2);
    QTest::keyClick(&table(), Qt::Key_Down);
    EXPECT_EQ(toolkit_.beeps, 3);
    mouse(QEvent::MouseButtonPress, rowCentre(4), Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, rowCentre(4), Qt::NoButton);
    EXPECT_EQ(toolkit_.beeps, 4);
    EXPECT_EQ(keys(), before);
    EXPECT_EQ(selectedKey(), "5r");

    // A key with no characters (a modifier alone) is not a change: no beep, nothing.
    QTest::keyClick(&table(), Qt::Key_Shift);
    EXPECT_EQ(toolkit_.beeps, 4);
    // Space still pauses.
    QTest::keyClick(&table(), Qt::Key_Space);
    EXPECT_FALSE(view().isPlaying());
    EXPECT_EQ(toolkit_.beeps, 4);

    view().setIsPlaying(true);
    ASSERT_TRUE(stepUntil([&] { return !view().willTransition() && !view().isTransitioning(); }));
    QTest::keyClick(&table(), Qt::Key_Down);
    EXPECT_EQ(toolkit_.beeps, 4);
    EXPECT_EQ(selectedKey(), "55rrq555");
}

TEST_F(ListPanel, EveryTenthPendingTransitionShowsTheStar) {
    start();
    view().setIsPlaying(true);
    for (int i = 1; i <= 20; ++i) {
        table().selectRow(i % 2 == 0 ? 3 : 6);  // re-armed while pending each time
        ASSERT_TRUE(view().willTransition());
        ASSERT_EQ(toolkit_.pushes.size(), static_cast<size_t>(6 * i));
        const bool tenth = i % 10 == 0;
        EXPECT_EQ(toolkit_.pushes.back(), tenth ? SiteSwapWindowController::moofCursor()
                                                : SiteSwapWindowController::waitCursor())
            << i;
    }
    EXPECT_EQ(toolkit_.onStack(), 6) << "a replaced transition takes its cursors with it";
}

TEST_F(ListPanel, FollowsTheViewThatBecomesMain) {
    start();
    JuggleDocument* first = document_;
    table().selectRow(7);  // "95551", paused: installed at once
    ASSERT_EQ(shownSequence(), "95551");

    JuggleDocument* second = delegate_->newDocument();
    makeMain(second);
    EXPECT_EQ(selectedKey(), "5");
    makeMain(first);
    EXPECT_EQ(selectedKey(), "95551");

    // A pattern missing from the list is added when its window becomes main.
    document_ = second;
    table().selectRow(0);
    QTest::keyClick(&table(), Qt::Key_Delete);
    ASSERT_FALSE(keys().contains("5"));
    makeMain(first);
    second->view().setPattern(SiteSwap::initWithSequence("5"));
    makeMain(second);
    EXPECT_EQ(keys().last(), "5");
    EXPECT_EQ(selectedKey(), "5");

    // During a transition the row of its target is selected.
    second->view().setIsPlaying(true);
    table().selectRow(1);
    ASSERT_TRUE(stepUntil([&] { return second->view().isTransitioning(); }));
    makeMain(first);
    makeMain(second);
    EXPECT_EQ(selectedKey(), keys().at(1));
}

// --- the list file across runs

TEST_F(ListPanel, FirstRunWritesTheBuiltInListAndAnUnchangedListWritesNothing) {
    start();
    EXPECT_FALSE(QFileInfo::exists(home_.listPath()));
    list().window()->close();
    ASSERT_TRUE(QFileInfo::exists(home_.listPath()));
    EXPECT_EQ(SiteSwapListFile::load(home_.listPath()).strings,
              SiteSwapWindowController::defaultSiteSwapList());
    stop();

    // The same list in another layout: a write would replace these bytes.
    const QByteArray compact =
        QJsonDocument(QJsonArray::fromStringList(SiteSwapWindowController::defaultSiteSwapList()))
            .toJson(QJsonDocument::Compact);
    home_.write(home_.listPath(), compact);
    start();
    EXPECT_FALSE(list().needsToSave());
    list().window()->close();
    stop();
    EXPECT_EQ(TempHome::read(home_.listPath()), compact);
    EXPECT_TRUE(problems_.empty());
}

TEST_F(ListPanel, AddAndMoveSurviveARestartEvenWithoutClosingThePanel) {
    start();
    list().window()->resize(161, 539);  // every row in sight
    enter("531");
    drag(rowCentre(12), rowCentre(0));
    ASSERT_EQ(keys().first(), "531");
    stop();  // quit with the panel still open

    start();
    QStringList expected = SiteSwapWindowController::defaultSiteSwapList();
    expected.prepend("531");
    EXPECT_EQ(keys(), expected);
    EXPECT_FALSE(list().needsToSave());
}

TEST_F(ListPanel, AnEmptyListStaysEmptyUntilAWindowShowsFive) {
    writeList({});
    start(false);
    EXPECT_TRUE(keys().isEmpty());
    document_ = delegate_->newDocument();
    makeMain(document_);
    EXPECT_EQ(keys(), QStringList{"5"});
    EXPECT_EQ(selectedKey(), "5");
}

TEST_F(ListPanel, StoredStringsThatAreNoSiteswapsAreDropped) {
    writeList({"531", "54", "531", "", "5"});
    start();
    EXPECT_EQ(keys(), (QStringList{"531", "5"}));
}

TEST_F(ListPanel, ACorruptFileIsKeptAsideAndTheUserIsTold) {
    home_.write(home_.listPath(), "[\"5\", 3");
    start();
    EXPECT_EQ(keys(), SiteSwapWindowController::defaultSiteSwapList());
    ASSERT_EQ(problems_.size(), 1u);
    EXPECT_TRUE(problems_[0].contains("SiteSwapList.juggle.unreadable"));
    EXPECT_EQ(TempHome::read(home_.listPath() + ".unreadable"), "[\"5\", 3");
    stop();
    EXPECT_EQ(SiteSwapListFile::load(home_.listPath()).strings,
              SiteSwapWindowController::defaultSiteSwapList());
}

TEST_F(ListPanel, AListThatCannotBeSavedIsReportedAndStillNeedsSaving) {
    home_.write(home_.documents(), "a file where the folder should be");
    start();
    list().window()->close();
    ASSERT_EQ(problems_.size(), 1u);
    EXPECT_TRUE(problems_[0].contains("could not be saved"));
    EXPECT_TRUE(list().needsToSave());

    // Quitting asks whether to go on without the list; saying no keeps the run.
    delegate_->setConfirmQuit([](const QString&) { return false; });
    EXPECT_FALSE(delegate_->quit());
    delegate_->setConfirmQuit([](const QString&) { return true; });
    EXPECT_TRUE(delegate_->quit());
}

TEST_F(ListPanel, ThePanelFrameIsKeptBetweenRuns) {
    start();
    list().window()->move(300, 200);
    list().window()->resize(161, 400);
    stop();
    start();
    EXPECT_EQ(list().window()->pos(), QPoint(300, 200));
    EXPECT_EQ(list().window()->height(), 400);
}

}  // namespace
