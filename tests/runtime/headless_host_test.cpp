// The test host itself: its clocks, scripts and records, since every
// scenario test leans on them.
#include "hosts/headless/headless_host.h"
#include "runtime/forms/forms.h"
#include "runtime/services/datetime.h"
#include "support/headless_test.h"

#include <QImage>

namespace {

using headless::CallKind;

struct Holder : rt::Form {
    Holder() : Form("Holder") {
        aboutItem.Click = [this] { picked << "about"; };
    }

    rt::Menu popup{*this, "popup", "Popup"};
    rt::Menu aboutItem{popup, "aboutItem", "&About"};
    rt::Menu more{popup, "more", "More"};
    rt::Menu exitItem{more, "exitItem", "E&xit"};
    rt::TextBox box{*this, "box"};
    QStringList picked;
};

struct Ticking : rt::Form {
    Ticking() : Form("Ticking") { t.OnTimer = [this] { ++ticks; }; }
    rt::Timer t{*this, "t"};
    int ticks = 0;
};

struct Tray : rt::Form {
    Tray() : Form("Tray") {}
    void Form_MouseMove(int, int, float X, float) override { messages << int(X / rt::Screen.TwipsPerPixelX()); }
    QList<int> messages;
};

rt::FormRef<Holder> holder;
rt::FormRef<Ticking> ticking;
rt::FormRef<Tray> tray;

using HostClock = testsupport::HeadlessTest;
using HostScripts = testsupport::HeadlessTest;
using HostRecords = testsupport::HeadlessTest;

TEST_F(HostClock, WallClockRunsWithVirtualTimeAndTones) {
    EXPECT_EQ(host.nowMs(), 0);
    EXPECT_EQ(rt::CStr(rt::Now()), "12/8/2026 9:00:00 AM");
    host.advance(61'000);
    host.beep(440, 2000);
    EXPECT_EQ(host.nowMs(), 63'000);
    EXPECT_EQ(rt::CStr(rt::Now()), "12/8/2026 9:01:03 AM");

    host.setWallClock(QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59)));
    host.advance(1500);
    const rt::LocalDateTime t = host.wallClock();
    EXPECT_EQ(t.year, 2027);
    EXPECT_EQ(t.month, 1);
    EXPECT_EQ(t.day, 1);
    EXPECT_EQ(t.second, 0);
    EXPECT_EQ(t.msec, 500);
}

TEST_F(HostClock, ToneBlocksTimersUntilTheNextChance) {
    ticking->t.Interval(100);
    host.beep(440, 350);
    EXPECT_EQ(ticking->ticks, 0) << "nothing runs during a tone";
    EXPECT_EQ(host.scheduledDueMs(), 100);
    rt::DoEvents();
    EXPECT_EQ(ticking->ticks, 1) << "then one late tick, not three";
    EXPECT_EQ(host.scheduledDueMs(), 400);
}

TEST_F(HostClock, ScreenFollowsItsSettings) {
    EXPECT_EQ(rt::Screen.TwipsPerPixelX(), 15);
    EXPECT_DOUBLE_EQ(rt::Screen.Width(), 1920 * 15);
    host.setScreenSize(800, 600);
    host.setTwipsPerPixel(12, 10);
    EXPECT_DOUBLE_EQ(rt::Screen.Width(), 800 * 12);
    EXPECT_DOUBLE_EQ(rt::Screen.Height(), 600 * 10);
}

TEST_F(HostScripts, MessageBoxesAnswerInOrderThenCancel) {
    host.scriptMessageBox(6);
    host.scriptMessageBox(7);
    EXPECT_EQ(host.messageBox("Save?", 4, "tavrin"), 6);
    EXPECT_EQ(host.messageBox("Really?", 4, "tavrin"), 7);
    EXPECT_EQ(host.messageBox("Again?", 4, "tavrin"), 2);

    const auto boxes = host.calls(CallKind::MessageBox);
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].text, "Save?");
    EXPECT_EQ(boxes[0].title, "tavrin");
    EXPECT_EQ(boxes[0].a, 4);
    EXPECT_FALSE(boxes[1].flag);
    EXPECT_TRUE(boxes[2].flag) << "unscripted";
}

TEST_F(HostScripts, FileDialogsAnswerInOrderThenCancel) {
    const QString title = "Save As", name = "Text Files", pattern = "*.txt", proposed = "notes", ext = "txt";
    rt::FileDialogRequest req;
    req.save = true;
    req.title = &title;
    req.filterName = &name;
    req.filterPattern = &pattern;
    req.proposedName = &proposed;
    req.defaultExtension = &ext;
    host.scriptFileDialog(QString("/tmp/a.txt"));
    host.scriptFileDialog(std::nullopt);

    EXPECT_EQ(host.fileDialog(req), QString("/tmp/a.txt"));
    EXPECT_EQ(host.fileDialog(req), std::nullopt);
    EXPECT_EQ(host.fileDialog(req), std::nullopt);
    const auto dialogs = host.calls(CallKind::FileDialog);
    ASSERT_EQ(dialogs.size(), 3u);
    EXPECT_TRUE(dialogs[0].flag);
    EXPECT_EQ(dialogs[0].text, title);
    EXPECT_EQ(dialogs[0].filter, "Text Files|*.txt");
    EXPECT_EQ(dialogs[0].name, proposed);
    EXPECT_EQ(dialogs[0].extension, ext);
}

TEST_F(HostScripts, PopupPicksANestedItemAfterRecordingTheMenu) {
    Holder& f = *holder;
    f.exitItem.Click = [&] { f.picked << "exit after " + QString::number(host.count(CallKind::PopupMenu)); };
    host.choosePopupItem("exitItem");
    f.PopupMenu(f.popup);
    f.PopupMenu(f.popup); // nothing scripted: dismissed
    EXPECT_EQ(f.picked, QStringList({"exit after 1"}));

    const auto menus = host.calls(CallKind::PopupMenu);
    ASSERT_EQ(menus.size(), 2u);
    EXPECT_EQ(menus[0].owner, "Holder");
    EXPECT_EQ(menus[0].name, "popup");
}

TEST_F(HostScripts, PopupWithAnUnknownItemPicksNothing) {
    Holder& f = *holder;
    host.choosePopupItem("nope");
    testing::internal::CaptureStderr();
    f.PopupMenu(f.popup);
    testing::internal::GetCapturedStderr();
    EXPECT_TRUE(f.picked.isEmpty());
    EXPECT_FALSE(host.calls(CallKind::PopupMenu).at(0).flag);
}

TEST_F(HostRecords, TrayIconKeepsTheCurrentState) {
    Holder& f = *holder;
    QImage red(16, 16, QImage::Format_ARGB32), blue(16, 16, QImage::Format_ARGB32);
    red.fill(Qt::red);
    blue.fill(Qt::blue);
    QString tip = "9:00 AM";
    rt::TrayIconState s{1, &f, 0x200, &red, &tip};
    EXPECT_TRUE(host.trayIcon(rt::TrayOp::Add, s));
    // The caller's image changes afterwards; the record keeps what was passed.
    red.fill(Qt::green);

    QString tip2 = "9:01 AM";
    EXPECT_TRUE(host.trayIcon(rt::TrayOp::Modify, rt::TrayIconState{1, &f, 0, nullptr, &tip2}));
    const headless::TrayIconNow* now = host.trayIcon(1);
    ASSERT_NE(now, nullptr);
    EXPECT_TRUE(now->present);
    EXPECT_EQ(now->tip, "9:01 AM");
    EXPECT_EQ(now->icon.pixelColor(0, 0), QColor(Qt::red)) << "a modify without a picture keeps it";
    EXPECT_EQ(now->callbackMessage, 0x200u);
    EXPECT_EQ(now->owner, "Holder");

    host.trayIcon(rt::TrayOp::Modify, rt::TrayIconState{1, &f, 0, &blue, nullptr});
    EXPECT_EQ(host.trayIcon(1)->icon.pixelColor(0, 0), QColor(Qt::blue));
    host.trayIcon(rt::TrayOp::Delete, rt::TrayIconState{1, &f, 0, nullptr, nullptr});
    EXPECT_FALSE(host.trayIcon(1)->present);

    const auto calls = host.calls(CallKind::TrayIcon);
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(calls[0].a, int(rt::TrayOp::Add));
    EXPECT_EQ(calls[0].c, 0x200);
    ASSERT_TRUE(calls[0].image.has_value());
    EXPECT_EQ(calls[0].image->pixelColor(0, 0), QColor(Qt::red));
    EXPECT_FALSE(calls[1].image.has_value());
    EXPECT_EQ(calls[1].tip, QString("9:01 AM"));
}

TEST_F(HostRecords, TrayMessagesArriveAsMouseMovesInTwips) {
    host.trayMessage(*tray, 0x205);
    host.setTwipsPerPixel(12);
    host.trayMessage(*tray, 0x203);
    EXPECT_EQ(tray->messages, QList<int>({0x205, 0x203}));
}

TEST_F(HostRecords, PeersReportRegionStackingAndFocus) {
    Holder& f = *holder;
    f.Show();
    host.clearCalls();
    f.setRegion(QRegion(0, 0, 10, 10));
    f.setRegion(std::nullopt);
    f.setTopmost(true);
    f.box.SetFocus();

    const auto regions = host.calls(CallKind::Region);
    ASSERT_EQ(regions.size(), 2u);
    EXPECT_EQ(regions[0].owner, "Holder");
    ASSERT_TRUE(regions[0].region.has_value());
    EXPECT_EQ(*regions[0].region, QRegion(0, 0, 10, 10));
    EXPECT_FALSE(regions[1].region.has_value());
    ASSERT_EQ(host.count(CallKind::Stacking), 1);
    EXPECT_TRUE(host.calls(CallKind::Stacking)[0].flag);
    ASSERT_EQ(host.count(CallKind::Focus), 1);
    EXPECT_EQ(host.calls(CallKind::Focus)[0].name, "box");
    EXPECT_EQ(host.notifications("Holder", rt::Prop::Region), 2);
}

TEST(HeadlessHostLifetime, TeardownUnloadsQuietlyAndUninstalls) {
    int unloads = 0;
    struct Quiet : rt::Form {
        explicit Quiet(int* n = nullptr) : Form("Quiet"), count(n) {}
        void Form_Unload(int&) override {
            if (count)
                ++*count;
        }
        int* count;
    };
    rt::FormRef<Quiet> quiet;
    {
        headless::HeadlessHost h;
        EXPECT_EQ(&rt::host(), &h);
        quiet->count = &unloads;
        quiet->Show();
        rt::App.TaskVisible = false;
        EXPECT_FALSE(h.quitRequested());
    }
    EXPECT_FALSE(rt::hasHost());
    EXPECT_FALSE(quiet.IsLoaded());
    EXPECT_TRUE(rt::loadedForms().empty());
    EXPECT_EQ(rt::activeForm(), nullptr);
    EXPECT_EQ(unloads, 0);
    EXPECT_EQ(rt::TimerScheduler::nextDue(), -1);
    EXPECT_TRUE(rt::App.TaskVisible) << "the next test starts with the program's defaults";
}

} // namespace
