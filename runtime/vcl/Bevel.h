#pragma once
// A lowered box: a one-pixel frame drawn by the parent, shadow on the top and
// left edges, highlight on the bottom and right edges.

#include "runtime/vcl/Control.h"

class TBevel : public TGraphicControl {
public:
    explicit TBevel(TComponent* AOwner);
    std::string_view ClassName() const override { return "TBevel"; }

    void PaintOn(HDC DC) override;
};
