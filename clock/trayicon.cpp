#include "clock/trayicon.h"

#include <algorithm>
#include <cstring>

namespace tavrin::TrayIcon {

void SetTip(rt::NOTIFYICONDATA& data, const char* text) {
    const std::size_t size = sizeof data.szTip;
    const std::size_t n = std::min(std::strlen(text), size - 1);
    std::memcpy(data.szTip, text, n);
    data.szTip[n] = '\0';
    std::memset(data.szTip + n + 1, ' ', size - n - 1);
}

} // namespace tavrin::TrayIcon
