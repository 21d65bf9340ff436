#include "runtime/system/windows.h"

#include "runtime/forms/form.h"

namespace rt {

bool SetWindowPos(std::int32_t hWnd, std::int32_t insertAfter, int x, int y, int cx, int cy, unsigned flags) {
    Form* window = Form::fromHandle(hWnd);
    if (!window)
        return false;
    if (insertAfter == HWND_TOPMOST)
        window->setTopmost(true);
    else if (insertAfter == HWND_NOTOPMOST)
        window->setTopmost(false);
    const double tx = Screen.TwipsPerPixelX();
    const double ty = Screen.TwipsPerPixelY();
    const double left = (flags & SWP_NOMOVE) ? window->Left() : x * tx;
    const double top = (flags & SWP_NOMOVE) ? window->Top() : y * ty;
    const double width = (flags & SWP_NOSIZE) ? window->Width() : cx * tx;
    const double height = (flags & SWP_NOSIZE) ? window->Height() : cy * ty;
    window->Move(left, top, width, height);
    return true;
}

} // namespace rt
