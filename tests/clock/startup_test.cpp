// Start-up from the stored settings, and the two ways out: "Exit" and the
// clock window's unload.
#include "clock/allopt.h"
#include "clock/frmtray.h"
#include "clock/mnufrm.h"
#include "clock/program.h"
#include "runtime/services/settings.h"
#include "runtime/system/regions.h"
#include "runtime/system/shell.h"
#include "support/headless_test.h"

#include <QFile>

namespace {

using namespace tavrin;
using headless::CallKind;

class Startup : public testsupport::HeadlessTest {
protected:
    QRect windowPixels() { return frmtray->pixelRect(); }
};

TEST_F(Startup, NoPictureIsDecodedForItsSizeOrItsOutline) {
    StartProgram();
    frmtray_form& f = *frmtray;
    // The outlines were read a row at a time; the pixels wait for a paint.
    EXPECT_FALSE(f.picMainSkin.Picture().decoded()) << "the face";
    EXPECT_FALSE(allopt->omainpic.Picture().decoded()) << "the options dialog's skin";
    for (rt::PictureBox* unseen : {&f.Picture3, &f.skin1B, &f.skin2A, &f.skin2B})
        EXPECT_FALSE(unseen->Picture().decoded()) << unseen->Name().toStdString();
    EXPECT_FALSE(f.Image1.Picture().decoded()) << "the icon's second picture";
    EXPECT_FALSE(allopt->Imgsnd.Picture().decoded());
    EXPECT_TRUE(f.Icon().decoded()) << "the notification icon shows it";

    // Looked at later, they are there all the same.
    EXPECT_EQ(f.skin2B.Picture().widthPixels(), 304);
    EXPECT_EQ(f.skin2B.Picture().image().width(), 304);
    EXPECT_TRUE(f.skin2B.Picture().decoded());
}

TEST_F(Startup, FirstRunShowsTheDesignedClock) {
    StartProgram();

    ASSERT_TRUE(frmtray.IsLoaded());
    frmtray_form& f = *frmtray;
    EXPECT_TRUE(f.Visible());
    EXPECT_EQ(windowPixels(), QRect(464, 168, 159, 40));
    EXPECT_EQ(f.Left(), 6960);
    EXPECT_EQ(f.Top(), 2520);
    EXPECT_EQ(f.BorderStyle(), 0);
    EXPECT_FALSE(f.ShowInTaskbar());
    EXPECT_FALSE(rt::App.TaskVisible);

    // The narrow face of skin 1, cut to its outline.
    ASSERT_TRUE(f.region().has_value());
    const QRegion& r = *f.region();
    EXPECT_TRUE(r.contains(QPoint(80, 20)));
    EXPECT_FALSE(r.intersects(QRect(0, 0, 159, 1)));
    EXPECT_FALSE(r.intersects(QRect(0, 39, 159, 1)));
    EXPECT_FALSE(r.intersects(QRect(158, 0, 1, 40)));
    EXPECT_EQ(rt::liveRegionCount(), 0u);

    // One clock, empty until the first tick; the left name is the first name.
    EXPECT_EQ(f.l2.Caption(), QString());
    EXPECT_EQ(f.l1.Caption(), QString());
    EXPECT_FALSE(f.l1.Visible());
    EXPECT_FALSE(f.ltime1.Visible());
    EXPECT_EQ(f.ltime2.Caption(), "T-1");
    EXPECT_EQ(f.ltime1.Caption(), "T-1");
    EXPECT_EQ(f.l2.ForeColor(), 0x80FF80u);
    EXPECT_EQ(f.l1.ForeColor(), 0xC0FFC0u);
    // The labels keep their designed places on the face, in pixels now.
    EXPECT_EQ(f.l2.pixelRect(), QRect(50, 10, 105, 25));
    EXPECT_EQ(f.ltime2.pixelRect(), QRect(16, 13, 41, 17));
    EXPECT_EQ(f.l1.pixelRect(), QRect(152, 10, 113, 25));
    EXPECT_EQ(f.ltime1.pixelRect(), QRect(248, 13, 41, 17));
    EXPECT_EQ(f.l2.Left(), 753.0 / 15);
    EXPECT_EQ(f.t.Interval(), 10);
    EXPECT_EQ(host.scheduledDueMs(), 10);

    // The windows that hold the live settings are loaded and hidden.
    ASSERT_TRUE(allopt.IsLoaded());
    ASSERT_TRUE(mnufrm.IsLoaded());
    EXPECT_FALSE(allopt->Visible());
    EXPECT_FALSE(mnufrm->Visible());
    EXPECT_EQ(allopt->Timer1.Interval(), 100);
    EXPECT_EQ(allopt->pixelRect().size(), QSize(371, 386));
    EXPECT_FALSE(allopt->Doption.Value() || allopt->Zoption.Value() || allopt->Boption.Value());
    EXPECT_TRUE(allopt->optadd.Value());
    EXPECT_FALSE(allopt->Zhr.Enabled());
    EXPECT_TRUE(allopt->Lreset.Visible());
    EXPECT_EQ(allopt->cbohrs.Text(), "0");
    EXPECT_EQ(allopt->cboam.Text(), "0");
    EXPECT_EQ(allopt->txtmsg.Text(), "");
    EXPECT_EQ(allopt->sndcheck.Value(), 0);
    EXPECT_TRUE(mnufrm->mnupad.Checked());
    EXPECT_FALSE(mnufrm->mnutop.Checked() || mnufrm->mnuskin1.Checked() || mnufrm->mnuskin2.Checked());
    EXPECT_EQ(mnufrm->mnumin.Caption(), "Minimize");
    EXPECT_EQ(host.count(CallKind::Stacking), 0);

    // Showing it added the icon: one icon, identifier 1, the clock's tip.
    const auto* icon = host.trayIcon(1);
    ASSERT_NE(icon, nullptr);
    EXPECT_TRUE(icon->present);
    EXPECT_EQ(icon->tip, "Tavrin V3.7");
    EXPECT_EQ(icon->callbackMessage, 0x200u);
    EXPECT_EQ(icon->icon.size(), QSize(32, 32));

    // Nothing is stored by a start.
    EXPECT_FALSE(QFile::exists(rt::SettingsStore::pathFor(rt::App.EXEName)));
}

TEST_F(Startup, StoredOptionsAndAlarmComeBack) {
    store("Options", "mytop", "-150");
    store("Options", "myleft", "300");
    store("Options", "bopt", "True");
    store("Options", "skin2", "True");
    store("Options", "skin1", "True");
    store("Options", "mtop", "true");
    store("Options", "mpad", "False");
    store("Options", "zh", "-3");
    store("Options", "subopt", "True");
    store("Options", "addopt", "False");
    store("Options", "time1", "NYC");
    store("Options", "time2", "TKY");
    store("Alarm", "azopt", "True");
    store("Alarm", "hrs", "12");
    store("Alarm", "min", "05");
    store("Alarm", "am", "PM");
    store("Alarm", "snd", "1");
    store("Alarm", "msg", "Tea\nnow");

    StartProgram();
    frmtray_form& f = *frmtray;
    allopt_form& o = *allopt;

    // Wide face of skin 2, at the stored place, even above the screen's top.
    EXPECT_EQ(windowPixels(), QRect(20, -10, 304, 43));
    EXPECT_EQ(f.Top(), -150);
    EXPECT_EQ(f.l2.ForeColor(), 0xFFFFFFu);
    EXPECT_EQ(f.l1.ForeColor(), 0xC0FFC0u);
    EXPECT_TRUE(mnufrm->mnuskin1.Checked());
    EXPECT_TRUE(mnufrm->mnuskin2.Checked());
    EXPECT_TRUE(f.topmost());
    EXPECT_EQ(host.count(CallKind::Stacking), 1);
    EXPECT_FALSE(mnufrm->mnupad.Checked());

    EXPECT_TRUE(o.Boption.Value());
    EXPECT_EQ(o.Zhr.Text(), "-3") << "the store imposes no list";
    EXPECT_TRUE(o.optsub.Value());
    EXPECT_FALSE(o.optadd.Value());
    // Dual: the left name is the second name, the right one the first.
    EXPECT_EQ(f.ltime2.Caption(), "TKY");
    EXPECT_EQ(f.ltime1.Caption(), "NYC");

    EXPECT_TRUE(o.aztopt.Value());
    EXPECT_FALSE(o.actopt.Value());
    EXPECT_EQ(o.cbohrs.Text(), "12");
    EXPECT_EQ(o.cbomin.Text(), "05");
    EXPECT_EQ(o.cbosec.Text(), "0");
    EXPECT_EQ(o.cboam.Text(), "PM");
    EXPECT_EQ(o.sndcheck.Value(), 1);
    EXPECT_EQ(o.txtmsg.Text(), "Tea\nnow");
}

TEST_F(Startup, BothDirectionsStoredTrueLeaveTheLastSelected) {
    // "Ahead" is designed selected, so a stored "Behind" alone is undone by
    // the "Ahead" read that follows it.
    store("Options", "subopt", "True");
    StartProgram();
    EXPECT_FALSE(allopt->optsub.Value());
    EXPECT_TRUE(allopt->optadd.Value());
}

TEST_F(Startup, LastOfSeveralStoredModesWinsAndSkinOneNeedsNoMark) {
    store("Options", "dopt", "True");
    store("Options", "zopt", "True");
    store("Options", "skin1", "True");
    store("Options", "skin2", "False");
    StartProgram();
    EXPECT_FALSE(allopt->Doption.Value());
    EXPECT_TRUE(allopt->Zoption.Value());
    EXPECT_EQ(windowPixels().size(), QSize(159, 40));
    EXPECT_EQ(frmtray->ltime2.Caption(), "T-2") << "Zonal: the left clock is the zone clock";
    EXPECT_TRUE(mnufrm->mnuskin1.Checked());
}

TEST_F(Startup, HandEditedValuesThatDoNotConvertReadAsTheDesign) {
    store("Options", "mytop", "top of the screen");
    store("Options", "bopt", "maybe");
    store("Options", "mpad", "");
    store("Alarm", "snd", "7");
    store("Alarm", "acopt", "1");
    StartProgram();
    EXPECT_EQ(frmtray->Top(), 2520);
    EXPECT_FALSE(allopt->Boption.Value());
    EXPECT_TRUE(mnufrm->mnupad.Checked());
    EXPECT_EQ(allopt->sndcheck.Value(), 0);
    EXPECT_TRUE(allopt->actopt.Value()) << "a number reads as true/false";
}

TEST_F(Startup, ExitStoresThePlaceRemovesTheIconAndEnds) {
    StartProgram();
    frmtray->userMoved(1500, -300);
    host.clearCalls();

    ExitProgram();

    EXPECT_FALSE(frmtray.IsLoaded());
    EXPECT_FALSE(allopt.IsLoaded());
    EXPECT_FALSE(mnufrm.IsLoaded());
    EXPECT_EQ(stored("Options", "mytop"), "-300");
    EXPECT_EQ(stored("Options", "myleft"), "1500");
    EXPECT_EQ(stored("Options", "dopt"), "<missing>") << "Exit stores nothing but the place";
    ASSERT_NE(host.trayIcon(1), nullptr);
    EXPECT_FALSE(host.trayIcon(1)->present);
    EXPECT_EQ(rt::notifyIconCount(), 0u);
    EXPECT_TRUE(host.quitRequested());

    // The next start opens where the clock was.
    StartProgram();
    EXPECT_EQ(windowPixels().topLeft(), QPoint(100, -20));
}

TEST_F(Startup, WindowManagerCloseTakesThePathOfExit) {
    StartProgram();
    frmtray->userClose();
    EXPECT_FALSE(frmtray.IsLoaded());
    EXPECT_FALSE(allopt.IsLoaded());
    EXPECT_FALSE(mnufrm.IsLoaded());
    EXPECT_EQ(stored("Options", "mytop"), "2520");
    EXPECT_TRUE(host.quitRequested());
}

TEST_F(Startup, EveryActivationSendsTheAddButOneIconStays) {
    StartProgram();
    allopt->Show();
    host.activate(*frmtray);
    EXPECT_EQ(rt::notifyIconCount(), 1u);
    int adds = 0;
    for (const auto& c : host.calls(CallKind::TrayIcon))
        adds += c.a == 0;
    EXPECT_EQ(adds, 1) << "a second add of an existing icon is refused";
}

TEST_F(Startup, UnwritableStoreLeavesTheProgramRunning) {
    // A settings folder that is a file cannot be created or written, even by root.
    QFile blocker(configHome() + "/" + rt::App.EXEName);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    StartProgram();
    EXPECT_EQ(windowPixels(), QRect(464, 168, 159, 40));
    ExitProgram();
    EXPECT_TRUE(host.quitRequested());
    EXPECT_FALSE(frmtray.IsLoaded());
}

} // namespace

namespace {

struct LeftOpen : rt::Form {
    LeftOpen() : Form("LeftOpen") {}
};
rt::FormRef<LeftOpen> leftOpen;

TEST_F(Startup, EndingTheSessionClosesWindowsThatExitLeavesOpen) {
    StartProgram();
    leftOpen->Show(); // stands for a reminder or the about box
    ExitProgram();
    EXPECT_TRUE(leftOpen.IsLoaded()) << "Exit leaves such a window open";
    EXPECT_FALSE(host.quitRequested());

    EndProgram();
    EXPECT_FALSE(leftOpen.IsLoaded());
    EXPECT_TRUE(host.quitRequested());
}

} // namespace
