// The clock tick: the two texts reach the clock once a second and the
// notification icon alternates between its two pictures.
#include "running_clock.h"

#include "runtime/system/shell.h"

namespace {

using namespace tavrin;
using headless::CallKind;

class Tick : public testsupport::RunningClock {
protected:
    // The pictures the tick sent to the icon, in order.
    std::vector<QImage> iconChanges() {
        std::vector<QImage> images;
        for (const auto& c : host.calls(CallKind::TrayIcon))
            if (c.a == rt::NIM_MODIFY && c.image)
                images.push_back(*c.image);
        return images;
    }
    QImage windowIcon() { return clock().Icon().image(); }
    QImage secondPicture() { return clock().Image1.Picture().image(); }
};

TEST_F(Tick, TheClockShowsTheRunningTimeInEveryMode) {
    wallAt(9, 0, 0);
    StartProgram();
    host.advance(2000);
    EXPECT_EQ(clock().l2.Caption(), "9:00:01 AM");
    EXPECT_EQ(clock().l1.Caption(), "9:00:01 AM") << "refreshed while hidden";
    host.advance(1000);
    EXPECT_EQ(clock().l2.Caption(), "9:00:02 AM");

    options().Zhr.Text("2");
    options().Zoption.Value(true);
    host.advance(2000);
    EXPECT_EQ(clock().l2.Caption(), "11:00:04 AM") << "the zone time";
    EXPECT_EQ(clock().l1.Caption(), "9:00:04 AM") << "the system time";
}

TEST_F(Tick, FirstTickComesAtOnceThenOneASecond) {
    StartProgram();
    EXPECT_EQ(clock().t.Interval(), 10);
    host.advance(10);
    EXPECT_EQ(clock().t.Interval(), 1000);
    host.clearCalls();
    host.advance(10000);
    EXPECT_EQ(iconChanges().size(), 10u);
}

TEST_F(Tick, IconAlternatesFromTheSecondTick) {
    StartProgram();
    const QImage added = host.trayIcon(1)->icon;
    ASSERT_EQ(added, windowIcon());
    ASSERT_NE(windowIcon(), secondPicture());

    host.advance(3100);
    const std::vector<QImage> sent = iconChanges();
    ASSERT_GE(sent.size(), 4u);
    EXPECT_EQ(sent[0], windowIcon()) << "the first tick repeats the add's picture";
    EXPECT_EQ(sent[1], secondPicture());
    EXPECT_EQ(sent[2], windowIcon());
    EXPECT_EQ(sent[3], secondPicture());
    EXPECT_EQ(host.trayIcon(1)->icon, secondPicture());
    EXPECT_EQ(host.trayIcon(1)->tip, "Tavrin V3.7") << "the tick changes the picture only";
}

TEST_F(Tick, ALaterActivationLeavesThePictureAsItIs) {
    StartProgram();
    host.advance(1000); // two ticks: the second picture shows
    ASSERT_EQ(host.trayIcon(1)->icon, secondPicture());
    options().Show();
    host.activate(clock());
    EXPECT_EQ(host.trayIcon(1)->icon, secondPicture());
    EXPECT_EQ(rt::notifyIconCount(), 1u);
}

TEST_F(Tick, TheIconKeepsAlternatingWhileTheClockIsHidden) {
    StartProgram();
    host.advance(600);
    clock().Hide();
    host.clearCalls();
    host.advance(3000);
    EXPECT_EQ(iconChanges().size(), 3u);
}

} // namespace
