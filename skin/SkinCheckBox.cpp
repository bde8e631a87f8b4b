#include "skin/SkinCheckBox.h"

#include "skin/SkinDraw.h"
#include "skin/TextEffects.h"

namespace brisbolt {

TSkinCheckBox::TSkinCheckBox(TComponent* owner) : TCheckBox(owner) {
    width_ = 120;
    height_ = 22;
    Font3D.OnChange = [this] { Invalidate(); };
}

void TSkinCheckBox::SetAlignment(TAlignment value) {
    alignment_ = value;
    Invalidate();
}

void TSkinCheckBox::SetWordWrap(bool value) {
    wordWrap_ = value;
    Invalidate();
}

void TSkinCheckBox::SetAsButton(bool value) {
    asButton_ = value;
    Recreate();
}

void TSkinCheckBox::SetButtonSunk(bool value) {
    buttonSunk_ = value;
    Recreate();
}

void TSkinCheckBox::SetAlignButton(TAlignment value) {
    alignButton_ = value;
    Recreate();
}

void TSkinCheckBox::Recreate() {
    if (!hwnd_) return;
    DestroyHandle();
    handedImage_.reset();
    Handle();
}

void TSkinCheckBox::CreateWnd() {
    DWORD style = BS_CHECKBOX | BS_VCENTER | BS_BITMAP;
    if (asButton_) style |= BS_PUSHLIKE | BS_CENTER;
    if (alignButton_ == TAlignment::RightJustify)
        style |= BS_LEFTTEXT | BS_LEFT;
    else
        style |= BS_RIGHT;
    if (wordWrap_) style |= BS_MULTILINE;
    CreateSystemWindow("BUTTON", style, asButton_ && buttonSunk_ ? WS_EX_CLIENTEDGE : 0);
    if (hwnd_) SendMessageA(hwnd_, BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

RECT TSkinCheckBox::TextRect() const {
    RECT r{6, 6, width_ - 6, height_ - 6};
    if (!asButton_) {
        if (alignButton_ == TAlignment::RightJustify)
            r.right -= 12;
        else
            r.left += 12;
    }
    return r;
}

void TSkinCheckBox::PaintFace() {
    RECT client;
    GetClientRect(hwnd_, &client);
    const int w = client.right, h = client.bottom;
    if (w <= 0 || h <= 0) return;
    if (face_.Width() != w || face_.Height() != h) face_.SetSize(w, h);
    HDC dc = face_.DC();
    FillSolid(dc, client, color_);
    if (Background) Background->PaintOverColor(dc, w, h, color_, true);
    const UINT flags = (wordWrap_ ? DT_WORDBREAK : DT_SINGLELINE) | DT_EXPANDTABS | DT_END_ELLIPSIS | DT_VCENTER |
                       DrawTextAlignment(alignment_);
    DrawText3D(Font3D, Font, dc, true, flags, caption_, TextRect());

    // The native button draws a bitmap that no other device context holds.
    bool fresh = false;
    BITMAP info{};
    if (!handedImage_ || !GetObjectA(handedImage_.get(), sizeof info, &info) || info.bmWidth != w ||
        info.bmHeight != h) {
        handedImage_.reset(CreateCompatibleBitmap(dc, w, h));
        fresh = true;
    }
    if (!handedImage_) return;
    {
        UniqueMemoryDC copyDC(CreateCompatibleDC(dc));
        ScopedSelect select(copyDC.get(), handedImage_.get());
        BitBlt(copyDC.get(), 0, 0, w, h, dc, 0, 0, SRCCOPY);
    }
    // Handing over a picture repaints the button: only when it is a new one.
    if (fresh) SendMessageA(hwnd_, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(handedImage_.get()));
}

LRESULT TSkinCheckBox::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_PAINT && hwnd_) PaintFace();
    if (msg == WM_NCDESTROY) handedImage_.reset();
    return TCheckBox::WndProc(msg, wp, lp);
}

}  // namespace brisbolt
