// Windows: lazy loading through their global reference, unloading, activation,
// resizing and the end of the program when the last window goes.
#include "runtime/forms/forms.h"
#include "support/headless_test.h"

#include <QStringList>

#include <algorithm>

namespace {

// Outlives the instances, so a fresh instance can be told from the old one.
QStringList events;
int cancelNextUnload = 0;

struct Lazy : rt::Form {
    Lazy() : Form("Lazy") {
        caption.Caption("design");
        closer.Click = [this] {
            rt::Unload(*this);
            events << (isLoaded() ? "closer: still loaded" : "closer: unloaded");
            caption.Caption("touched after unload"); // the object lives on until the event returns
        };
    }
    void Form_Load() override { events << "Lazy load"; }
    void Form_Activate() override { events << "Lazy activate"; }
    void Form_Resize() override { events << "Lazy resize " + QString::number(WindowState()); }
    void Form_Unload(int& Cancel) override {
        events << "Lazy unload";
        Cancel = cancelNextUnload;
    }

    rt::Label caption{*this, "caption"};
    rt::Label closer{*this, "closer"};
};

struct Other : rt::Form {
    Other() : Form("Other") {}
    void Form_Activate() override { events << "Other activate"; }
};

// Gives up at once, as a second copy of a program might.
struct Quitter : rt::Form {
    Quitter() : Form("Quitter") {}
    void Form_Load() override { rt::Unload(*this); }
};

rt::FormRef<Lazy> lazy;
rt::FormRef<Other> other;
rt::FormRef<Quitter> quitter;

class Lifecycle : public testsupport::HeadlessTest {
protected:
    void SetUp() override {
        events.clear();
        cancelNextUnload = 0;
    }
    static bool listed(const rt::Form* f) {
        const auto& forms = rt::loadedForms();
        return std::find(forms.begin(), forms.end(), f) != forms.end();
    }
};

TEST_F(Lifecycle, FirstUseLoadsHiddenOnceAndLaterUsesReuseIt) {
    EXPECT_FALSE(lazy.IsLoaded());
    EXPECT_EQ(lazy->caption.Caption(), "design");
    EXPECT_TRUE(lazy.IsLoaded());
    EXPECT_TRUE(lazy->isLoaded());
    EXPECT_FALSE(lazy->Visible()) << "loading does not show";
    EXPECT_TRUE(listed(lazy.instance()));

    lazy->caption.Caption("x");
    (void)*lazy;
    EXPECT_EQ(events, QStringList({"Lazy load"}));
    EXPECT_EQ(host.count(headless::CallKind::Attach), 1);
}

TEST_F(Lifecycle, UnloadDropsTheValuesAndTheNextUseLoadsAFreshOne) {
    lazy->caption.Caption("changed");
    lazy.Unload();
    EXPECT_FALSE(lazy.IsLoaded());
    EXPECT_TRUE(rt::loadedForms().empty());

    EXPECT_EQ(lazy->caption.Caption(), "design");
    EXPECT_EQ(events, QStringList({"Lazy load", "Lazy unload", "Lazy load"}));
}

TEST_F(Lifecycle, UnloadingANeverLoadedFormNeitherCreatesNorQuits) {
    lazy.Unload();
    EXPECT_FALSE(lazy.IsLoaded());
    EXPECT_TRUE(events.isEmpty());
    EXPECT_TRUE(rt::loadedForms().empty());
    EXPECT_FALSE(host.quitRequested());
}

TEST_F(Lifecycle, CancelledUnloadKeepsTheFormAndItsValues) {
    lazy->caption.Caption("kept");
    cancelNextUnload = 1;
    lazy.Unload();
    EXPECT_TRUE(lazy.IsLoaded());
    EXPECT_EQ(lazy->caption.Caption(), "kept");
    EXPECT_FALSE(host.quitRequested());

    cancelNextUnload = 0;
    lazy.Unload();
    EXPECT_FALSE(lazy.IsLoaded());
}

TEST_F(Lifecycle, HandlerUnloadingItsOwnFormSurvivesAndSeesItGone) {
    (void)*other; // keeps the program running
    host.click(lazy->closer);
    EXPECT_EQ(events, QStringList({"Lazy load", "Lazy unload", "closer: unloaded"}));
    EXPECT_FALSE(lazy.IsLoaded());
    EXPECT_EQ(rt::loadedForms().size(), 1u);
    EXPECT_FALSE(host.quitRequested());
}

TEST_F(Lifecycle, FormUnloadingInItsLoadIsNotUsedAfterwards) {
    // Outside any event the object is gone at once: the use is an error, not a crash.
    try {
        quitter->Show();
        ADD_FAILURE() << "used an unloaded form";
    } catch (const rt::RuntimeError& e) {
        EXPECT_EQ(e.number(), 364);
    }
    EXPECT_FALSE(quitter.IsLoaded());

    // Inside an event it lingers until the event returns, harmlessly.
    lazy->closer.Click = [] { quitter->Show(); };
    host.click(lazy->closer);
    EXPECT_FALSE(quitter.IsLoaded());
    EXPECT_EQ(rt::loadedForms().size(), 1u);
}

TEST_F(Lifecycle, LastFormGoingEndsTheProgramWhileItsHandlerRuns) {
    (void)*other;
    bool quitInsideHandler = false;
    lazy->closer.Click = [&] {
        other.Unload();
        rt::Unload(*lazy);
        quitInsideHandler = host.quitRequested();
    };
    host.click(lazy->closer);
    EXPECT_TRUE(quitInsideHandler) << "a dialog the handler may wait in must end too";
    EXPECT_EQ(host.count(headless::CallKind::Quit), 1);
}

TEST_F(Lifecycle, OneOfTwoFormsGoingDoesNotQuit) {
    (void)*other;
    (void)*lazy;
    lazy.Unload();
    EXPECT_FALSE(host.quitRequested());
    other.Unload();
    EXPECT_TRUE(host.quitRequested());
}

TEST_F(Lifecycle, ShowActivatesOnceUntilAnotherFormTakesOver) {
    lazy->Show();
    EXPECT_TRUE(lazy->Visible());
    EXPECT_EQ(rt::activeForm(), lazy.instance());
    lazy->Show();
    EXPECT_EQ(events.count("Lazy activate"), 1) << "showing the active form again";

    other->Show();
    host.activate(*lazy);
    EXPECT_EQ(events, QStringList({"Lazy load", "Lazy activate", "Other activate", "Lazy activate"}));
}

TEST_F(Lifecycle, HideAndShowActivatesAgain) {
    lazy->Show();
    lazy->Hide();
    EXPECT_EQ(rt::activeForm(), nullptr);
    lazy->Show();
    EXPECT_EQ(events.count("Lazy activate"), 2);
}

TEST_F(Lifecycle, WindowStateResizesInsideTheAssignment) {
    lazy->Show();
    events.clear();
    lazy->WindowState(rt::vbMinimized);
    EXPECT_EQ(events, QStringList({"Lazy resize 1"}));
    lazy->WindowState(rt::vbMinimized);
    EXPECT_EQ(events.size(), 1) << "same state";
    lazy->WindowState(rt::vbNormal);
    EXPECT_EQ(events, QStringList({"Lazy resize 1", "Lazy resize 0"}));
}

TEST_F(Lifecycle, HiddenFormsStillReachTheirPeers) {
    (void)*lazy;
    host.clearCalls();
    lazy->caption.Caption("while hidden");
    EXPECT_FALSE(lazy->Visible());
    EXPECT_EQ(host.notifications("Lazy.caption", rt::Prop::Caption), 1);

    lazy.Unload();
    EXPECT_EQ(host.notifications("Lazy.caption"), 1) << "an unloaded form has no peers";
}

} // namespace
