#include "hosts/qt/colors.h"

#include <QWidget>

#include <QGuiApplication>
#include <QPalette>

namespace tavrin::qt {

QColor toQColor(rt::Color c) {
    if (!rt::IsSystemColor(c))
        return QColor(rt::RedOf(c), rt::GreenOf(c), rt::BlueOf(c));
    const QPalette pal = QGuiApplication::palette();
    switch (c & 0xFF) {
    case 1: return pal.color(QPalette::Dark);             // desktop
    case 2: return pal.color(QPalette::Highlight);        // active caption
    case 4: return pal.color(QPalette::Window);           // menu
    case 5: return pal.color(QPalette::Base);             // window background
    case 6: return pal.color(QPalette::Shadow);           // window frame
    case 7: return pal.color(QPalette::WindowText);       // menu text
    case 8: return pal.color(QPalette::Text);             // window text
    case 9: return pal.color(QPalette::HighlightedText);  // caption text
    case 13: return pal.color(QPalette::Highlight);
    case 14: return pal.color(QPalette::HighlightedText);
    case 15: return pal.color(QPalette::Button);          // button face
    case 16: return pal.color(QPalette::Dark);            // button shadow
    case 17: return pal.color(QPalette::Disabled, QPalette::Text);
    case 18: return pal.color(QPalette::ButtonText);
    case 20: return pal.color(QPalette::Light);           // button highlight
    case 23: return pal.color(QPalette::ToolTipText);
    case 24: return pal.color(QPalette::ToolTipBase);
    default: return pal.color(QPalette::Window);
    }
}

void setColors(QWidget& w, rt::Color fore, rt::Color back, QPalette::ColorRole foreRole, QPalette::ColorRole backRole) {
    QPalette pal = w.palette();
    pal.setColor(foreRole, toQColor(fore));
    pal.setColor(backRole, toQColor(back));
    w.setPalette(pal);
}

} // namespace tavrin::qt
