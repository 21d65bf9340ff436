#include "runtime/system/shell.h"

#include "runtime/forms/form.h"
#include "runtime/forms/picture.h"

#include <map>
#include <utility>

namespace rt {
namespace {

struct Icon {
    std::uint32_t callbackMessage = 0;
    Picture picture;
    QString tip;
};

using Key = std::pair<std::int32_t, std::uint32_t>; // window, identifier

std::map<Key, Icon>& icons() {
    static std::map<Key, Icon> table;
    return table;
}

QString tipText(const char (&tip)[64]) {
    std::size_t n = 0;
    while (n < sizeof tip && tip[n] != '\0')
        ++n;
    return QString::fromLatin1(tip, qsizetype(n));
}

void apply(Icon& icon, const NOTIFYICONDATA& data) {
    if (data.uFlags & NIF_MESSAGE)
        icon.callbackMessage = data.uCallbackMessage;
    if (data.uFlags & NIF_ICON)
        icon.picture = Picture::fromHandle(data.hIcon);
    if (data.uFlags & NIF_TIP)
        icon.tip = tipText(data.szTip);
}

bool tell(TrayOp op, const Key& key, const Icon& icon, Form* owner) {
    if (!hasHost())
        return false;
    TrayIconState state;
    state.id = key.second;
    state.owner = owner;
    state.callbackMessage = icon.callbackMessage;
    state.icon = icon.picture.isNull() ? nullptr : &icon.picture.image();
    state.tip = &icon.tip;
    return host().trayIcon(op, state);
}

} // namespace

bool Shell_NotifyIconA(std::uint32_t message, const NOTIFYICONDATA& data) {
    if (data.cbSize != sizeof(NOTIFYICONDATA))
        return false;
    Form* owner = Form::fromHandle(data.hWnd);
    const Key key{data.hWnd, data.uID};
    auto it = icons().find(key);
    switch (message) {
    case NIM_ADD: {
        if (it != icons().end() || !owner)
            return false;
        Icon icon;
        apply(icon, data);
        if (!tell(TrayOp::Add, key, icon, owner))
            return false;
        icons().emplace(key, std::move(icon));
        return true;
    }
    case NIM_MODIFY: {
        if (it == icons().end())
            return false;
        apply(it->second, data);
        return tell(TrayOp::Modify, key, it->second, owner);
    }
    case NIM_DELETE: {
        if (it == icons().end())
            return false;
        Icon gone = std::move(it->second);
        icons().erase(it);
        tell(TrayOp::Delete, key, gone, owner);
        return true;
    }
    default: return false;
    }
}

std::size_t notifyIconCount() { return icons().size(); }

void resetNotifyIcons() { icons().clear(); }

} // namespace rt
