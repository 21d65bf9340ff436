// The notification icon on a StatusNotifierItem panel: one activation per
// click, and a menu the panel shows itself.
#include "support.h"

#include <QApplication>
#include <QPointer>
#include <QThread>

namespace tavrin::qt::test {
namespace {

// Opens its menu on the icon's right button, as the clock does.
struct MenuOwner : rt::Form {
    MenuOwner() : rt::Form("frmtray") {}
    void Form_MouseMove(int, int, float X, float) override {
        const int message = int(X) / rt::Screen.TwipsPerPixelX();
        messages.push_back(message);
        if (message == 517)
            PopupMenu(file);
    }
    rt::Menu file{*this, "file", "File"};
    rt::Menu first{file, "first", "Minimize"};
    rt::Menu sub{file, "sub", "Skin"};
    rt::Menu inner{sub, "inner", "Skin2"};
    rt::Menu last{file, "last", "Exit"};
    std::vector<int> messages;
};
rt::FormRef<MenuOwner> menuOwner;

class PanelIcon : public QtHostTest {
protected:
    void TearDown() override {
        host().trayIcons().setPanelShowsMenus(false);
        QApplication::setDoubleClickInterval(defaultInterval_);
        QtHostTest::TearDown();
    }
    QSystemTrayIcon* addIcon(MenuOwner& f) {
        rt::TrayIconState state{.id = 1, .owner = &f, .callbackMessage = 0x200, .icon = nullptr, .tip = nullptr};
        host().trayIcon(rt::TrayOp::Add, state);
        QCoreApplication::processEvents();
        return host().trayIcons().icon(f.hWnd(), 1);
    }
    QStringList shown(const QMenu& menu) {
        QStringList texts;
        for (QAction* a : menu.actions())
            texts << (a->isChecked() ? "[x]" : "") + a->text();
        return texts;
    }
    const int defaultInterval_ = QApplication::doubleClickInterval();
};

TEST_F(PanelIcon, TwoActivationsWithinTheDoubleClickTimeAreOneDoubleClick) {
    QApplication::setDoubleClickInterval(60);
    MenuOwner& f = menuOwner.get();
    QSystemTrayIcon* icon = addIcon(f);
    ASSERT_NE(icon, nullptr);

    emit icon->activated(QSystemTrayIcon::Trigger);
    emit icon->activated(QSystemTrayIcon::Trigger);
    EXPECT_EQ(f.messages, std::vector<int>{515});
    emit icon->activated(QSystemTrayIcon::Trigger);
    EXPECT_EQ(f.messages.size(), 1u) << "a third click starts a new pair";

    QThread::msleep(100);
    emit icon->activated(QSystemTrayIcon::Trigger);
    EXPECT_EQ(f.messages.size(), 1u) << "too far apart";
    emit icon->activated(QSystemTrayIcon::DoubleClick);
    emit icon->activated(QSystemTrayIcon::Trigger);
    EXPECT_EQ(f.messages, (std::vector<int>{515, 515})) << "an X tray's double-click counts once";
}

TEST_F(PanelIcon, ThePanelShowsACopyOfTheProgramsMenuKeptInStep) {
    host().trayIcons().setPanelShowsMenus(true);
    MenuOwner& f = menuOwner.get();
    int chosen = 0;
    f.inner.Click = [&] { ++chosen; };
    f.last.Click = [&] { f.first.Caption("Restore"); };
    QSystemTrayIcon* icon = addIcon(f);
    QMenu* copy = host().trayIcons().panelMenu(f.hWnd(), 1);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(icon->contextMenu(), copy);
    EXPECT_EQ(shown(*copy), (QStringList{"Minimize", "Skin", "Exit"}));
    f.messages.clear();

    // The panel opens it on the right button; the program is not asked again.
    emit icon->activated(QSystemTrayIcon::Context);
    EXPECT_TRUE(f.messages.empty());

    QMenu* skins = copy->actions().at(1)->menu();
    ASSERT_NE(skins, nullptr);
    skins->actions().at(0)->trigger();
    EXPECT_EQ(chosen, 1) << "an item chosen in the panel runs the program's command";

    // A panel showing the menu keeps its items under their ids: a caption
    // changes in the item that is there.
    const QPointer<QAction> first = copy->actions().at(0);
    copy->actions().at(2)->trigger();
    QCoreApplication::processEvents();
    emit copy->aboutToShow();
    EXPECT_TRUE(first && first->text() == "Restore") << "the item was made anew";
    f.inner.Checked(true);
    QCoreApplication::processEvents();
    EXPECT_EQ(shown(*copy), (QStringList{"Restore", "Skin", "Exit"}));
    EXPECT_EQ(shown(*copy->actions().at(1)->menu()), QStringList{"[x]Skin2"});

    // The window holding the menu goes: the copy empties, nothing runs.
    rt::Unload(f);
    QCoreApplication::processEvents();
    emit copy->aboutToShow();
    EXPECT_TRUE(copy->actions().isEmpty());
}

} // namespace
} // namespace tavrin::qt::test
