// A label with 3-D text, an optional background, letters filled with a
// background, and a bevel frame.
#pragma once

#include "runtime/StdControls.h"
#include "skin/Font3D.h"
#include "skin/SkinBackground.h"
#include "skin/SkinFrame.h"

namespace brisbolt {

class TSkinLabel : public TLabel {
public:
    explicit TSkinLabel(TComponent* owner);

    TFont3D Font3D;
    TSkinFrame Frame;  // frameNone at first
    BackgroundLink Background{this};
    BackgroundLink FontBackground{this};

    // Where the text goes inside the frame.
    RECT TextRect() const;

protected:
    void Paint(TCanvas& canvas) override;
};

}  // namespace brisbolt
