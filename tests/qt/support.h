#pragma once
// Shared by the desktop host's tests: the host they all run on and a fixture
// that leaves no window behind.
#include "hosts/qt/peers.h"
#include "hosts/qt/qthost.h"

#include "runtime/forms/forms.h"

#include <QCoreApplication>
#include <QEvent>
#include <gtest/gtest.h>

namespace tavrin::qt::test {

QtHost& host();

class QtHostTest : public ::testing::Test {
protected:
    void TearDown() override {
        rt::unloadEverythingQuietly();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

template <class W>
W* widget(const rt::Control& control) {
    return dynamic_cast<W*>(widgetOf(control));
}

inline int tpp() { return rt::Screen.TwipsPerPixelX(); }

} // namespace tavrin::qt::test
