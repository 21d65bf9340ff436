#pragma once
// The notification-area icon, driven by the classic 88-byte record.
#include <cstddef>
#include <cstdint>

namespace rt {

constexpr std::uint32_t NIM_ADD = 0;
constexpr std::uint32_t NIM_MODIFY = 1;
constexpr std::uint32_t NIM_DELETE = 2;
constexpr std::uint32_t NIF_MESSAGE = 1;
constexpr std::uint32_t NIF_ICON = 2;
constexpr std::uint32_t NIF_TIP = 4;

// Mouse messages an icon reports to its window (in place of the X of a mouse move).
constexpr std::int32_t WM_MOUSEMOVE = 0x200;
constexpr std::int32_t WM_LBUTTONDBLCLK = 0x203;
constexpr std::int32_t WM_RBUTTONUP = 0x205;

struct NOTIFYICONDATA {
    std::uint32_t cbSize = 0;
    std::int32_t hWnd = 0;
    std::uint32_t uID = 0;
    std::uint32_t uFlags = 0;
    std::uint32_t uCallbackMessage = 0;
    std::int32_t hIcon = 0;
    char szTip[64] = {};
};
static_assert(sizeof(NOTIFYICONDATA) == 88, "the record is 88 bytes");

// Adds, changes or deletes the icon that the record's window and identifier
// name. uFlags decides which fields apply; the tip is shown up to its NUL.
// An add of an icon that exists, or a change or delete of one that doesn't,
// fails and changes nothing.
bool Shell_NotifyIconA(std::uint32_t message, const NOTIFYICONDATA& data);

// Icons present now (for tests and for the host's bookkeeping).
std::size_t notifyIconCount();
void resetNotifyIcons();

} // namespace rt
