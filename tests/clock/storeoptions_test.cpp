// "OK" stores the dialog's 18 settings and names the clocks; the alarm's
// "Reset" switches the alarm off without storing anything.
#include "running_clock.h"
#include "runtime/services/settings.h"
#include "support/files.h"

namespace {

using namespace tavrin;

class StoreOptions : public testsupport::RunningClock {
protected:
    QStringList settingsLines() {
        QStringList lines =
            QString::fromUtf8(testsupport::readBytes(rt::SettingsStore::pathFor(rt::App.EXEName))).split(u'\n');
        lines.removeAll(QString());
        return lines;
    }
};

TEST_F(StoreOptions, OKAtFirstRunStoresTheDesignInOrder) {
    StartProgram();
    options().Show();
    host.click(options().lbloptok);

    EXPECT_EQ(settingsLines(), QStringList({"[Options]", "dopt=False", "zopt=False", "bopt=False", "zh=0", "zm=0",
                                            "zs=0", "subopt=False", "addopt=True", "time1=T-1", "time2=T-2",
                                            "[Alarm]", "acopt=False", "azopt=False", "hrs=0", "min=0", "sec=0",
                                            "am=0", "snd=0", "msg="}));
    EXPECT_FALSE(options().Visible());
    EXPECT_TRUE(allopt.IsLoaded());
    EXPECT_EQ(clock().ltime2.Caption(), "T-1");
}

TEST_F(StoreOptions, OKStoresWhatTheControlsHoldAsTheyStand) {
    StartProgram();
    allopt_form& o = options();
    host.click(o.Boption);
    o.Zhr.Text("abc");
    o.Zmin.Text(" 7");
    o.optsub.Value(true);
    o.time1.Text("");
    o.aztopt.Value(true);
    o.cbohrs.Text("09");
    o.cboam.Text("pm");
    o.sndcheck.Value(rt::vbChecked);
    o.txtmsg.Text("a, b\nc");
    host.click(o.lbloptok);

    EXPECT_EQ(stored("Options", "bopt"), "True");
    EXPECT_EQ(stored("Options", "dopt"), "False");
    EXPECT_EQ(stored("Options", "zh"), "abc");
    EXPECT_EQ(stored("Options", "zm"), " 7");
    EXPECT_EQ(stored("Options", "subopt"), "True");
    EXPECT_EQ(stored("Options", "addopt"), "False");
    EXPECT_EQ(stored("Options", "time1"), "");
    EXPECT_EQ(stored("Alarm", "azopt"), "True");
    EXPECT_EQ(stored("Alarm", "hrs"), "09");
    EXPECT_EQ(stored("Alarm", "am"), "pm");
    EXPECT_EQ(stored("Alarm", "snd"), "1");
    EXPECT_EQ(stored("Alarm", "msg"), "a, b\nc");
    EXPECT_EQ(clock().ltime2.Caption(), "T-2");
    EXPECT_EQ(clock().ltime1.Caption(), "");

    // The next start reads every one of them back.
    rt::unloadEverythingQuietly();
    StartProgram();
    EXPECT_TRUE(options().Boption.Value());
    EXPECT_EQ(options().Zhr.Text(), "abc");
    EXPECT_EQ(options().Zmin.Text(), " 7");
    EXPECT_TRUE(options().optsub.Value());
    EXPECT_EQ(options().time1.Text(), "");
    EXPECT_EQ(options().cbohrs.Text(), "09");
    EXPECT_EQ(options().sndcheck.Value(), 1);
    EXPECT_EQ(options().txtmsg.Text(), "a, b\nc");
}

TEST_F(StoreOptions, OKNamesTheClocksByMode) {
    StartProgram();
    allopt_form& o = options();
    host.click(o.Zoption);
    o.time1.Text("One");
    o.time2.Text("Two");
    host.click(o.lbloptok);
    EXPECT_EQ(clock().ltime2.Caption(), "Two");
    EXPECT_EQ(clock().ltime1.Caption(), "One");

    host.click(o.Doption);
    o.time1.Text("Uno");
    o.time2.Text("Dos");
    host.click(o.lbloptok);
    EXPECT_EQ(clock().ltime2.Caption(), "Uno");
    EXPECT_EQ(clock().ltime1.Caption(), "One") << "the hidden right name keeps its caption";
}

TEST_F(StoreOptions, XHidesWithoutStoringAndTheEditStaysLive) {
    StartProgram();
    options().Show();
    options().time1.Text("Edt");
    host.click(options().Label5);
    EXPECT_FALSE(options().Visible());
    EXPECT_EQ(stored("Options", "time1"), "<missing>");
    EXPECT_EQ(clock().ltime2.Caption(), "T-1") << "a name reaches the clock only at OK or a mode click";
    host.click(options().lbloptok);
    EXPECT_EQ(clock().ltime2.Caption(), "Edt");
}

TEST_F(StoreOptions, AlarmResetClearsTheAlarmAndStoresNothing) {
    store("Alarm", "acopt", "True");
    store("Alarm", "hrs", "7");
    store("Alarm", "am", "AM");
    store("Alarm", "snd", "1");
    store("Alarm", "msg", "Up");
    StartProgram();
    allopt_form& o = options();
    o.Show();
    host.click(o.lblsetalarm);
    host.click(o.Label6);

    EXPECT_FALSE(o.actopt.Value());
    EXPECT_FALSE(o.aztopt.Value());
    for (rt::ComboBox* box : {&o.cbohrs, &o.cbomin, &o.cbosec, &o.cboam})
        EXPECT_EQ(box->Text(), "0") << box->Name().toStdString();
    EXPECT_EQ(o.txtmsg.Text(), "");
    EXPECT_EQ(o.sndcheck.Value(), 1) << "the sound box keeps its state";
    EXPECT_TRUE(o.Visible());
    EXPECT_TRUE(o.Aframe.Visible());
    EXPECT_EQ(stored("Alarm", "acopt"), "True") << "nothing is stored";

    host.click(o.lbloptok);
    EXPECT_EQ(stored("Alarm", "acopt"), "False");
    EXPECT_EQ(stored("Alarm", "azopt"), "False");
    EXPECT_EQ(stored("Alarm", "hrs"), "0");
    EXPECT_EQ(stored("Alarm", "am"), "0");
    EXPECT_EQ(stored("Alarm", "snd"), "1");
    EXPECT_EQ(stored("Alarm", "msg"), "");
}

} // namespace
