// Where the clock opens: the stored place while some part of the clock shows
// on a monitor, the designed place when none would.
#include "clock/frmtray.h"
#include "clock/program.h"
#include "runtime/services/settings.h"
#include "support/headless_test.h"

inline void PrintTo(const QPoint& p, std::ostream* os) { *os << '(' << p.x() << ", " << p.y() << ')'; }

namespace {

using namespace tavrin;

class StartupPlace : public testsupport::HeadlessTest {
protected:
    // The place the clock opens at, after one start with these stored texts.
    QPoint opensAt(const QString& mytop, const QString& myleft, bool dual = false) {
        rt::SaveSetting(rt::App.EXEName, "Options", "mytop", mytop);
        rt::SaveSetting(rt::App.EXEName, "Options", "myleft", myleft);
        rt::SaveSetting(rt::App.EXEName, "Options", "bopt", dual ? "True" : "False");
        StartProgram();
        const QPoint at = frmtray->pixelRect().topLeft();
        ExitProgram();
        return at;
    }
    const QPoint designed{464, 168};
};

TEST_F(StartupPlace, APlaceNoMonitorShowsGivesWayToTheDesignedPlace) {
    host.setScreenSize(1280, 800);
    // The narrow face is 159 x 40 pixels.
    EXPECT_EQ(opensAt("1000000", "6960"), designed);
    EXPECT_EQ(opensAt("2520", "-1E+11"), designed);
    EXPECT_EQ(opensAt("1E+11", "1E+11"), designed);
    EXPECT_EQ(opensAt("3E+38", "-3E+38"), designed);
    EXPECT_EQ(opensAt(QString::number(800 * 15), "0"), designed) << "just below the bottom edge";
    EXPECT_EQ(opensAt("0", QString::number(-159 * 15)), designed) << "just left of the left edge";

    // Partly on the monitor: kept, though most of the clock is off it.
    EXPECT_EQ(opensAt("-150", "4500"), QPoint(300, -10));
    EXPECT_EQ(opensAt(QString::number(-39 * 15), "0"), QPoint(0, -39));
    EXPECT_EQ(opensAt("0", QString::number(1279 * 15)), QPoint(1279, 0));
    EXPECT_EQ(opensAt("0", QString::number(-200 * 15), true), QPoint(-200, 0)) << "the wide face reaches in";
}

TEST_F(StartupPlace, AnyMonitorCountsAndTheDesignedPlaceIsStoredBack) {
    host.setMonitors({QRect(0, 0, 1280, 800), QRect(1280, -200, 1920, 1080)});
    EXPECT_EQ(opensAt(QString::number(-100 * 15), QString::number(2000 * 15)), QPoint(2000, -100));
    EXPECT_EQ(opensAt(QString::number(900 * 15), QString::number(100 * 15)), designed)
        << "below the first monitor, left of the second";

    // The monitor on the right is gone: the clock comes back where it can be
    // reached, and that place is what the next start finds.
    host.setMonitors({QRect(0, 0, 1280, 800)});
    EXPECT_EQ(opensAt(QString::number(-100 * 15), QString::number(2000 * 15)), designed);
    EXPECT_EQ(rt::GetSetting(rt::App.EXEName, "Options", "mytop", ""), "2520");
    EXPECT_EQ(rt::GetSetting(rt::App.EXEName, "Options", "myleft", ""), "6960");
}

} // namespace
