#pragma once
// The clock's two skins: each a pair of faces (narrow, and wide for the dual
// display) with its own colour for the left time.
#include "runtime/forms/forms.h"

namespace tavrin {

class frmtray_form;

enum class ClockSkin { One, Two };

// The skin's faces go into the clock's working boxes, Picture2 and Picture3.
void TakeSkinFaces(frmtray_form& clock, ClockSkin skin);
// The two times take the skin's colours.
void ColourTimes(frmtray_form& clock, ClockSkin skin);

// The menu command for one skin: `item` is the clicked item, `partner` the
// other. Switches the face, keeping the window's top-left corner, and stores
// both marks.
void SwitchSkin(rt::Menu& item, rt::Menu& partner, ClockSkin skin);

} // namespace tavrin
