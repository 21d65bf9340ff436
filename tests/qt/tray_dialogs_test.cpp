// The notification icon's clicks and the message box's answers arrive as the
// program has always read them.
#include "support.h"

#include "hosts/qt/dialogs.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QWindow>

namespace tavrin::qt::test {
namespace {

struct TrayForm : rt::Form {
    TrayForm() : rt::Form("frmtray") {}
    void Form_MouseMove(int, int, float X, float) override { messages.push_back(int(X) / rt::Screen.TwipsPerPixelX()); }
    std::vector<int> messages;
};
rt::FormRef<TrayForm> trayForm;

using TrayIcon = QtHostTest;

TEST_F(TrayIcon, ClicksReachTheOwnerAsMouseMessages) {
    TrayForm& f = trayForm.get();
    const QImage picture(16, 16, QImage::Format_ARGB32);
    const QString tip = "12:00:00 PM";
    rt::TrayIconState state{.id = 1, .owner = &f, .callbackMessage = 0x200, .icon = &picture, .tip = &tip};
    host().trayIcon(rt::TrayOp::Add, state);
    QSystemTrayIcon* icon = host().trayIcons().icon(f.hWnd(), 1);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->toolTip(), tip);

    emit icon->activated(QSystemTrayIcon::DoubleClick);
    emit icon->activated(QSystemTrayIcon::Trigger);
    emit icon->activated(QSystemTrayIcon::MiddleClick);
    emit icon->activated(QSystemTrayIcon::Context);
    EXPECT_EQ(f.messages, (std::vector<int>{515, 517}));

    const QString later = "12:00:01 PM";
    state.icon = nullptr;
    state.tip = &later;
    host().trayIcon(rt::TrayOp::Modify, state);
    EXPECT_EQ(icon->toolTip(), later);
    EXPECT_FALSE(icon->icon().isNull()) << "a change without a picture keeps the old one";

    // An icon that asked for no messages sends none.
    state.callbackMessage = 0;
    host().trayIcon(rt::TrayOp::Modify, state);
    emit icon->activated(QSystemTrayIcon::DoubleClick);
    EXPECT_EQ(f.messages.size(), 2u);

    EXPECT_TRUE(host().trayIcon(rt::TrayOp::Delete, state));
    EXPECT_EQ(host().trayIcons().icon(f.hWnd(), 1), nullptr);
    EXPECT_FALSE(host().trayIcon(rt::TrayOp::Modify, state));
}

TEST_F(TrayIcon, WithoutANotificationAreaTheIconIsKeptUntilOneAppears) {
    // The offscreen platform has no notification area, like a session whose
    // panel has not started yet: the icon still counts as added, so that its
    // changes and its removal reach it.
    ASSERT_FALSE(QSystemTrayIcon::isSystemTrayAvailable());
    TrayForm& f = trayForm.get();
    const QImage picture(16, 16, QImage::Format_ARGB32);
    rt::TrayIconState state{.id = 1, .owner = &f, .callbackMessage = 0x200, .icon = &picture};
    EXPECT_TRUE(host().trayIcon(rt::TrayOp::Add, state));
    EXPECT_NE(host().trayIcons().icon(f.hWnd(), 1), nullptr);
    EXPECT_TRUE(host().trayIcon(rt::TrayOp::Modify, state));
    EXPECT_TRUE(host().trayIcon(rt::TrayOp::Delete, state));
    EXPECT_EQ(host().trayIcons().icon(f.hWnd(), 1), nullptr);
}

QRgb shownColour(const QSystemTrayIcon& icon) { return icon.icon().pixmap(16, 16).toImage().pixel(8, 8); }

TEST_F(TrayIcon, ASecondAddLeavesThePictureShown) {
    TrayForm& f = trayForm.get();
    QImage first(16, 16, QImage::Format_ARGB32), second(16, 16, QImage::Format_ARGB32);
    first.fill(Qt::red);
    second.fill(Qt::blue);
    rt::TrayIconState state{.id = 1, .owner = &f, .callbackMessage = 0x200, .icon = &first};
    ASSERT_TRUE(host().trayIcon(rt::TrayOp::Add, state));
    state.icon = &second;
    ASSERT_TRUE(host().trayIcon(rt::TrayOp::Modify, state));
    state.icon = &first;
    EXPECT_FALSE(host().trayIcon(rt::TrayOp::Add, state));
    QSystemTrayIcon* icon = host().trayIcons().icon(f.hWnd(), 1);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(shownColour(*icon), QColor(Qt::blue).rgb());
    EXPECT_TRUE(host().trayIcon(rt::TrayOp::Delete, state));
}

TEST_F(TrayIcon, AnIconAddedAsItsWindowShowsFollowsTheWindowWithEveryChangeInOrder) {
    TrayForm& f = trayForm.get();
    f.Show();
    QWidget* window = widgetOf(f);
    ASSERT_NE(window, nullptr);
    const bool waited = !window->windowHandle()->isExposed();
    EXPECT_TRUE(waited) << "a window is exposed after it is shown, not while";

    const QImage picture(16, 16, QImage::Format_ARGB32);
    QString tip = "first";
    rt::TrayIconState state{.id = 1, .owner = &f, .callbackMessage = 0x200, .icon = &picture, .tip = &tip};
    EXPECT_TRUE(host().trayIcon(rt::TrayOp::Add, state));
    if (waited) {
        EXPECT_EQ(host().trayIcons().icon(f.hWnd(), 1), nullptr) << "the window goes on the screen first";
    }
    QString later = "later";
    state.tip = &later;
    EXPECT_TRUE(host().trayIcon(rt::TrayOp::Modify, state));
    tip = "changed after it was handed over";
    const rt::TrayIconState other{.id = 2, .owner = &f};
    EXPECT_FALSE(host().trayIcon(rt::TrayOp::Modify, other)) << "no such icon, waiting or not";
    EXPECT_TRUE(host().trayIcon(rt::TrayOp::Add, other));
    EXPECT_FALSE(host().trayIcon(rt::TrayOp::Add, other)) << "added once";
    EXPECT_TRUE(host().trayIcon(rt::TrayOp::Delete, other));
    EXPECT_FALSE(host().trayIcon(rt::TrayOp::Delete, other)) << "deleted once";

    ASSERT_TRUE(QTest::qWaitFor([&] { return host().trayIcons().icon(f.hWnd(), 1) != nullptr; }, 5000));
    EXPECT_EQ(host().trayIcons().icon(f.hWnd(), 1)->toolTip(), "later");
    EXPECT_EQ(host().trayIcons().icon(f.hWnd(), 2), nullptr);
    EXPECT_TRUE(host().trayIcon(rt::TrayOp::Delete, state));
    EXPECT_EQ(host().trayIcons().icon(f.hWnd(), 1), nullptr);
}

TEST_F(TrayIcon, AWindowHiddenBeforeItShowedLetsItsIconGoAhead) {
    TrayForm& f = trayForm.get();
    f.Show();
    const QImage picture(16, 16, QImage::Format_ARGB32);
    const rt::TrayIconState state{.id = 1, .owner = &f, .callbackMessage = 0x200, .icon = &picture};
    EXPECT_TRUE(host().trayIcon(rt::TrayOp::Add, state));
    f.Hide();
    EXPECT_NE(host().trayIcons().icon(f.hWnd(), 1), nullptr);
    EXPECT_TRUE(host().trayIcon(rt::TrayOp::Delete, state));
}

int answerAfterPressing(int buttons, QMessageBox::StandardButton press) {
    QMessageBox box;
    setUpMessageBox(box, "Save changes?", buttons, "DeskPad");
    if (press == QMessageBox::NoButton)
        box.reject(); // Escape or the window's close button
    else
        box.button(press)->click();
    return answerOf(box, buttons);
}

TEST(MessageBox, ButtonsAnswerWithTheClassicNumbers) {
    EXPECT_EQ(answerAfterPressing(0, QMessageBox::Ok), 1);
    EXPECT_EQ(answerAfterPressing(1, QMessageBox::Cancel), 2);
    EXPECT_EQ(answerAfterPressing(3 + 32, QMessageBox::Yes), 6);
    EXPECT_EQ(answerAfterPressing(3 + 32, QMessageBox::No), 7);
    EXPECT_EQ(answerAfterPressing(3 + 32, QMessageBox::NoButton), 2);
    EXPECT_EQ(answerAfterPressing(4, QMessageBox::No), 7);
}

TEST(MessageBox, IconAndDefaultButton) {
    QMessageBox box;
    setUpMessageBox(box, "Gone?", 4 + 48 + 256, "");
    EXPECT_EQ(box.icon(), QMessageBox::Warning);
    EXPECT_EQ(box.defaultButton(), box.button(QMessageBox::No));
    EXPECT_EQ(box.windowTitle(), rt::App.Title);
}

} // namespace
} // namespace tavrin::qt::test
