// The popup menu mirrors the form's menu items.
#include "support.h"

#include "hosts/qt/popupmenu.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

namespace tavrin::qt::test {
namespace {

struct MenuForm : rt::Form {
    MenuForm() : rt::Form("mnufrm") {
        mnupop.Visible(false); // the holder never shows; its items do
        mnudual.Checked(true);
        mnuhidden.Visible(false);
        mnuoff.Enabled(false);
        mnuexit.Click = [this] { ++exits; };
    }
    rt::Menu mnupop{*this, "mnupop", "pop"};
    rt::Menu mnudual{mnupop, "mnudual", "&Dual Time"};
    rt::Menu mnusep{mnupop, "mnusep", "-"};
    rt::Menu mnuskins{mnupop, "mnuskins", "&Skins"};
    rt::Menu mnublue{mnuskins, "mnublue", "Blue"};
    rt::Menu mnuoff{mnuskins, "mnuoff", "Off"};
    rt::Menu mnuhidden{mnupop, "mnuhidden", "Hidden"};
    rt::Menu mnuexit{mnupop, "mnuexit", "E&xit"};
    int exits = 0;
};
rt::FormRef<MenuForm> menuForm;

using PopupMenu = QtHostTest;

TEST_F(PopupMenu, MirrorsItemsSeparatorsChecksAndSubmenus) {
    MenuForm& f = menuForm.get();
    BuiltMenu built = buildMenu(f.mnupop);
    const QList<QAction*> top = built.menu->actions();
    ASSERT_EQ(top.size(), 4) << "the hidden item stays out";
    EXPECT_EQ(top[0]->text(), "&Dual Time");
    EXPECT_TRUE(top[0]->isChecked());
    EXPECT_TRUE(top[1]->isSeparator());
    ASSERT_NE(top[2]->menu(), nullptr);
    EXPECT_EQ(top[2]->text(), "&Skins");
    EXPECT_FALSE(top[3]->isChecked());

    const QList<QAction*> skins = top[2]->menu()->actions();
    ASSERT_EQ(skins.size(), 2);
    EXPECT_EQ(skins[0]->text(), "Blue");
    EXPECT_TRUE(skins[0]->isEnabled());
    EXPECT_FALSE(skins[1]->isEnabled());
    EXPECT_EQ(built.items.value(skins[0]), &f.mnublue);
}

TEST_F(PopupMenu, ChosenItemRaisesItsClick) {
    MenuForm& f = menuForm.get();
    // Choose the last item the way a user would, once the menu is open.
    QTimer::singleShot(0, [] {
        if (QWidget* popup = QApplication::activePopupWidget()) {
            QTest::keyClick(popup, Qt::Key_Up);
            QTest::keyClick(popup, Qt::Key_Return);
        }
    });
    // Never hang the suite on a menu that did not open as expected.
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] {
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
    });
    guard.start(10000);
    host().popupMenu(f, f.mnupop);
    EXPECT_EQ(f.exits, 1);
}

} // namespace
} // namespace tavrin::qt::test
