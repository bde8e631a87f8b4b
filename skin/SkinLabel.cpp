#include "skin/SkinLabel.h"

#include "skin/SkinDraw.h"
#include "skin/TextEffects.h"

namespace brisbolt {

TSkinLabel::TSkinLabel(TComponent* owner) : TLabel(owner) {
    Font3D.OnChange = [this] { Invalidate(); };
    Frame.OnChange = [this] { Invalidate(); };
    Frame.SetFrameStyle(TFrameStyle::frameNone);
}

RECT TSkinLabel::TextRect() const {
    const int i = Frame.FrameInset(), f = Frame.FrameWidth();
    return RECT{i, i + f, width_ - 2 * i, height_ - i - f};
}

void TSkinLabel::Paint(TCanvas& canvas) {
    HDC dc = canvas.Handle();
    const RECT client = ClientRect();
    if (!Transparent) {
        FillSolid(dc, client, color_);
        if (Background) Background->PaintBackground(dc, width_, height_, true);
    }
    const UINT flags = DT_EXPANDTABS | (WordWrap ? DT_WORDBREAK : 0) | DrawTextAlignment(Alignment);
    if (FontBackground)
        FontBackground->DrawFilledText(Font3D, Font, flags, caption_, TextRect(), dc);
    else
        DrawText3D(Font3D, Font, dc, enabled_, flags, caption_, TextRect());
    PaintFrame(Frame, dc, client);
}

}  // namespace brisbolt
