// Errors escaping event handlers: reported, and the program goes on.
#include "runtime/forms/forms.h"
#include "support/headless_test.h"

#include <stdexcept>
#include <string>

namespace {

struct Faulty : rt::Form {
    Faulty() : Form("Faulty") {
        runtimeFault.Click = [this] {
            ++clicks;
            throw rt::RuntimeError(rt::err::TypeMismatch, "Type mismatch");
        };
        stdFault.Click = [this] {
            ++clicks;
            throw std::runtime_error("disk on fire");
        };
        tick.OnTimer = [this] {
            ++ticks;
            throw std::runtime_error("tick failed");
        };
        check.Click = [] { throw rt::RuntimeError(rt::err::InvalidCall, "inner"); };
        outer.Click = [this] {
            check.Value(rt::vbChecked);
            outerFinished = true;
        };
    }
    rt::Label runtimeFault{*this, "runtimeFault"};
    rt::Label stdFault{*this, "stdFault"};
    rt::Label outer{*this, "outer"};
    rt::CheckBox check{*this, "check"};
    rt::Timer tick{*this, "tick"};
    int clicks = 0;
    int ticks = 0;
    bool outerFinished = false;
};

rt::FormRef<Faulty> faulty;

using HandlerErrors = testsupport::HeadlessTest;

TEST_F(HandlerErrors, AreReportedOnStandardErrorAndLaterEventsRun) {
    Faulty& f = *faulty;
    testing::internal::CaptureStderr();
    host.click(f.runtimeFault);
    host.click(f.stdFault);
    host.click(f.runtimeFault);
    const std::string err = testing::internal::GetCapturedStderr();

    EXPECT_EQ(f.clicks, 3);
    EXPECT_NE(err.find("13"), std::string::npos) << err;
    EXPECT_NE(err.find("Type mismatch"), std::string::npos) << err;
    EXPECT_NE(err.find("disk on fire"), std::string::npos) << err;
    EXPECT_EQ(rt::dispatchDepth(), 0);
}

TEST_F(HandlerErrors, AFailingTimerKeepsTicking) {
    faulty->tick.Interval(1000);
    testing::internal::CaptureStderr();
    host.advance(3500);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(faulty->ticks, 3);
    EXPECT_NE(err.find("tick failed"), std::string::npos) << err;
}

TEST_F(HandlerErrors, StopAtTheInnerEventItsCallerGoesOn) {
    Faulty& f = *faulty;
    testing::internal::CaptureStderr();
    host.click(f.outer);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(f.outerFinished);
    EXPECT_EQ(f.check.Value(), rt::vbChecked);
    EXPECT_NE(err.find("inner"), std::string::npos) << err;
}

} // namespace
