#pragma once
// Peer factories by control kind; each returns null for kinds it does not make.
#include "hosts/qt/peers.h"

#include <memory>

namespace rt {
class TextBox;
}

namespace tavrin::qt {

std::unique_ptr<rt::Peer> makeDisplayPeer(rt::Control& control, WindowPeer& window, ControlPeer* container);
std::unique_ptr<rt::Peer> makeTextBoxPeer(rt::TextBox& box, WindowPeer& window, ControlPeer* container);
std::unique_ptr<rt::Peer> makeInputPeer(rt::Control& control, WindowPeer& window, ControlPeer* container);

} // namespace tavrin::qt
