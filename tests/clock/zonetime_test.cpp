// The two clock texts the options dialog works out: the system time and the
// zone time, by display mode, direction and typed offset.
#include "running_clock.h"

namespace {

using namespace tavrin;

class ZoneTime : public testsupport::RunningClock {
protected:
    void SetUp() override {
        StartProgram();
        // Shown, the dialog's texts are live previews, worked out every 100 ms.
        options().Show();
    }
    void offset(const char* h, const char* m, const char* s, bool behind) {
        options().Zhr.Text(QString::fromLatin1(h));
        options().Zmin.Text(QString::fromLatin1(m));
        options().Zsec.Text(QString::fromLatin1(s));
        (behind ? options().optsub : options().optadd).Value(true);
    }
    // The texts a tick works out at h:m:s.
    void tickAt(int h, int m, int s) {
        wallAt(h, m, s);
        host.advance(100);
    }
    QString zone() { return options().Showtime.Caption(); }
    QString system() { return options().systime.Caption(); }
};

TEST_F(ZoneTime, CurrentModeShowsTheSystemTimeTwiceAndReadsNoOffset) {
    offset("", "x", "?", false);
    tickAt(21, 5, 7);
    EXPECT_EQ(system(), "9:05:07 PM");
    EXPECT_EQ(zone(), "9:05:07 PM");

    options().Doption.Value(true);
    tickAt(0, 0, 0);
    EXPECT_EQ(system(), "12:00:00 AM");
    EXPECT_EQ(zone(), "12:00:00 AM");
}

TEST_F(ZoneTime, OffsetMovesTheTimeAndWrapsAcrossMidnight) {
    struct Case {
        const char *h, *m, *s;
        bool behind;
        QTime wall;
        const char* zone;
    } cases[] = {
        {"0", "0", "0", false, QTime(13, 14, 15), "1:14:15 PM"},
        {"0", "0", "0", true, QTime(13, 14, 15), "1:14:15 PM"},
        {"11", "59", "59", true, QTime(0, 0, 0), "12:00:01 PM"},
        {"11", "0", "0", false, QTime(22, 0, 0), "9:00:00 AM"},
        {"0", "0", "1", false, QTime(23, 59, 59), "12:00:00 AM"},
        {"0", "0", "1", true, QTime(0, 0, 0), "11:59:59 PM"},
        {"-2", "0", "0", true, QTime(9, 0, 0), "11:00:00 AM"},
        {"0", "90", "0", false, QTime(9, 0, 0), "10:30:00 AM"},
        {"0", "90", "0", true, QTime(1, 0, 0), "11:30:00 PM"},
        {"13", "0", "0", false, QTime(12, 0, 0), "1:00:00 AM"},
        {" 3 ", "05", "+7", false, QTime(12, 0, 0), "3:05:07 PM"},
        {"1.5", "0", "0", false, QTime(12, 0, 0), "2:00:00 PM"},
    };
    options().Zoption.Value(true);
    for (const Case& c : cases) {
        offset(c.h, c.m, c.s, c.behind);
        tickAt(c.wall.hour(), c.wall.minute(), c.wall.second());
        EXPECT_EQ(zone(), c.zone) << c.h << " h " << c.m << " m " << c.s << " s "
                                  << (c.behind ? "behind" : "ahead") << " at "
                                  << c.wall.toString().toStdString();
        EXPECT_EQ(system(), c.wall.toString("h:mm:ss AP"));
    }
}

TEST_F(ZoneTime, DualModeWorksOutTheZoneTimeToo) {
    options().Boption.Value(true);
    offset("5", "30", "0", false);
    tickAt(20, 0, 0);
    EXPECT_EQ(system(), "8:00:00 PM");
    EXPECT_EQ(zone(), "1:30:00 AM");
}

// Any box that does not read as a number, in either direction, leaves the
// plain system time: never a time moved by part of the offset, and never a
// text with a date in it.
TEST_F(ZoneTime, UnreadableCountLeavesThePlainSystemTime) {
    options().Zoption.Value(true);
    for (bool behind : {false, true}) {
        for (int box = 0; box < 3; ++box) {
            for (const char* bad : {"", "x", "1:2"}) {
                const char* counts[3] = {"3", "30", "30"};
                counts[box] = bad;
                offset(counts[0], counts[1], counts[2], behind);
                tickAt(23, 0, 0);
                EXPECT_EQ(zone(), "11:00:00 PM")
                    << "box " << box << " holds \"" << bad << "\" " << (behind ? "behind" : "ahead");
            }
        }
    }
    // A number typed back brings the zone time back at the next tick.
    offset("3", "30", "30", false);
    tickAt(23, 0, 0);
    EXPECT_EQ(zone(), "2:30:30 AM");
}

TEST_F(ZoneTime, ACountBeyondTheCalendarEndsTheTickQuietly) {
    options().Zoption.Value(true);
    offset("1E+300", "0", "0", false);
    tickAt(8, 0, 0);
    EXPECT_EQ(zone(), "8:00:00 AM");
    offset("99999999", "0", "0", true);
    tickAt(8, 0, 1);
    EXPECT_EQ(zone(), "8:00:01 AM");
    EXPECT_TRUE(options().Timer1.running()) << "the timer goes on";
}

TEST_F(ZoneTime, AnEditActsAtTheNextTickWithoutOK) {
    options().Zoption.Value(true);
    offset("1", "0", "0", false);
    tickAt(10, 0, 0);
    EXPECT_EQ(zone(), "11:00:00 AM");
    options().Zhr.Text("2");
    EXPECT_EQ(zone(), "11:00:00 AM") << "until the next tick";
    host.advance(100);
    EXPECT_EQ(zone(), "12:00:00 PM");
}

} // namespace
