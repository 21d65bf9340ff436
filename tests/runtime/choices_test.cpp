// Option buttons and check boxes: which events a change raises, by code and by the user.
#include "runtime/forms/forms.h"
#include "support/headless_test.h"

#include <QStringList>

namespace {

struct Choices : rt::Form {
    Choices() : Form("Choices") {
        for (rt::OptionButton* o : {&a, &b, &c, &d, &loose}) {
            // Log the whole group as the handler sees it, so a sibling cleared
            // only after the event shows up.
            o->Click = [this, o] { log << o->Name() + ":" + groupState(); };
        }
        check.Click = [this] { log << "check=" + QString::number(check.Value()); };
    }
    QString groupState() const {
        QString s;
        for (const rt::OptionButton* o : {&a, &b, &c})
            s += o->Value() ? '1' : '0';
        return s;
    }

    rt::Frame group{*this, "group"};
    rt::OptionButton a{group, "a"};
    rt::OptionButton b{group, "b"};
    rt::OptionButton c{group, "c"};
    rt::Frame other{*this, "other"};
    rt::OptionButton d{other, "d"};
    rt::OptionButton loose{*this, "loose"}; // straight on the form: a group of its own
    rt::CheckBox check{*this, "check"};
    QStringList log;
};

rt::FormRef<Choices> choices;

using OptionGroup = testsupport::HeadlessTest;
using CheckBoxEvents = testsupport::HeadlessTest;

TEST_F(OptionGroup, StartsWithNoneSelectedAndNoEvents) {
    Choices& f = *choices;
    for (const rt::OptionButton* o : {&f.a, &f.b, &f.c, &f.d, &f.loose})
        EXPECT_FALSE(o->Value()) << o->Name().toStdString();
    EXPECT_TRUE(f.log.isEmpty());
}

TEST_F(OptionGroup, SelectingByCodeClearsOnlyTheSameContainerAndClicksOnce) {
    Choices& f = *choices;
    f.d.Value(true);
    f.loose.Value(true);
    f.a.Value(true);
    host.clearCalls();
    f.b.Value(true);

    EXPECT_FALSE(f.a.Value());
    EXPECT_TRUE(f.b.Value());
    EXPECT_FALSE(f.c.Value());
    EXPECT_TRUE(f.d.Value()) << "another frame's button is another group";
    EXPECT_TRUE(f.loose.Value()) << "the form's own buttons are another group";
    // a is already clear when b's Click runs.
    EXPECT_EQ(f.log, QStringList({"d:000", "loose:000", "a:100", "b:010"}));
    // The cleared button's peer hears of it too.
    EXPECT_EQ(host.notifications("Choices.a", rt::Prop::Value), 1);
    EXPECT_EQ(host.notifications("Choices.d"), 0);
}

TEST_F(OptionGroup, ClearingOrRepeatingTheValueRaisesNothing) {
    Choices& f = *choices;
    f.a.Value(true);
    f.log.clear();

    f.a.Value(true);
    EXPECT_TRUE(f.log.isEmpty()) << "already selected";
    f.a.Value(false);
    EXPECT_TRUE(f.log.isEmpty()) << "clearing";
    EXPECT_EQ(f.groupState(), "000") << "a group may have none selected";
}

TEST_F(OptionGroup, UserClickActsAsCode) {
    Choices& f = *choices;
    host.click(f.a);
    host.click(f.c);
    EXPECT_EQ(f.groupState(), "001");
    EXPECT_EQ(f.log, QStringList({"a:100", "c:001"}));

    f.b.Enabled(false);
    host.click(f.b);
    EXPECT_EQ(f.groupState(), "001") << "a disabled button ignores the user";
    EXPECT_EQ(f.log.size(), 2);
}

TEST_F(CheckBoxEvents, EveryChangeClicksByCodeAndByUser) {
    Choices& f = *choices;
    f.check.Value(rt::vbChecked);
    f.check.Value(rt::vbChecked);
    f.check.Value(rt::vbGrayed);
    f.check.Value(rt::vbUnchecked);
    host.click(f.check);
    EXPECT_EQ(f.check.Value(), rt::vbChecked);
    host.click(f.check);
    EXPECT_EQ(f.check.Value(), rt::vbUnchecked);
    EXPECT_EQ(f.log, QStringList({"check=1", "check=2", "check=0", "check=1", "check=0"}));
}

TEST_F(CheckBoxEvents, InvalidValueThrowsAndKeepsTheState) {
    Choices& f = *choices;
    f.check.Value(rt::vbChecked);
    for (int bad : {3, -1}) {
        try {
            f.check.Value(bad);
            ADD_FAILURE() << "value " << bad << " was taken";
        } catch (const rt::RuntimeError& e) {
            EXPECT_EQ(e.number(), rt::err::InvalidProperty);
        }
    }
    EXPECT_EQ(f.check.Value(), rt::vbChecked);
    EXPECT_EQ(f.log, QStringList({"check=1"}));
}

} // namespace
