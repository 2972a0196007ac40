#include "runtime/vcl/Bevel.h"

#include "runtime/vcl/Graphics.h"

TBevel::TBevel(TComponent* AOwner) : TGraphicControl(AOwner) {
    SetBounds(0, 0, 50, 50);
}

void TBevel::PaintOn(HDC DC) {
    const RECT r = BoundsRect();
    if (r.right - r.left < 1 || r.bottom - r.top < 1)
        return;
    // System colour brushes belong to the system and are not deleted.
    const HBRUSH shadow = ::GetSysColorBrush(COLOR_BTNSHADOW);
    const HBRUSH highlight = ::GetSysColorBrush(COLOR_BTNHIGHLIGHT);
    const RECT top{r.left, r.top, r.right - 1, r.top + 1};
    const RECT left{r.left, r.top, r.left + 1, r.bottom - 1};
    const RECT right{r.right - 1, r.top, r.right, r.bottom};
    const RECT bottom{r.left, r.bottom - 1, r.right, r.bottom};
    ::FillRect(DC, &top, shadow);
    ::FillRect(DC, &left, shadow);
    ::FillRect(DC, &right, highlight);
    ::FillRect(DC, &bottom, highlight);
}
