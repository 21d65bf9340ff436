#include "clock/skinswitch.h"

#include "clock/allopt.h"
#include "clock/frmtray.h"
#include "clock/mnufrm.h"
#include "runtime/services/convert.h"
#include "runtime/services/settings.h"

namespace tavrin {

using namespace rt;

void TakeSkinFaces(frmtray_form& clock, ClockSkin skin) {
    const bool two = skin == ClockSkin::Two;
    clock.Picture2.Picture((two ? clock.skin2A : clock.skin1A).Picture());
    clock.Picture3.Picture((two ? clock.skin2B : clock.skin1B).Picture());
}

void ColourTimes(frmtray_form& clock, ClockSkin skin) {
    clock.l2.ForeColor(skin == ClockSkin::Two ? vbWhite : 0x80FF80);
    clock.l1.ForeColor(0xC0FFC0);
}

void SwitchSkin(Menu& item, Menu& partner, ClockSkin skin) {
    // A store edited by hand may mark both items; the user must still be
    // able to pick either skin then.
    if (item.Checked() && !partner.Checked())
        return;
    item.Checked(true);
    partner.Checked(false);

    frmtray_form& clock = *frmtray;
    TakeSkinFaces(clock, skin);
    clock.ShowFace(allopt->Boption.Value());
    ColourTimes(clock, skin);

    const QString& app = App.EXEName;
    SaveSetting(app, QStringLiteral("Options"), QStringLiteral("skin1"), CStr(mnufrm->mnuskin1.Checked()));
    SaveSetting(app, QStringLiteral("Options"), QStringLiteral("skin2"), CStr(mnufrm->mnuskin2.Checked()));
}

} // namespace tavrin
