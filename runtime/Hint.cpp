#include "runtime/Hint.h"

namespace brisbolt {

THintWindow::THintWindow() { Font.SetColor(clInfoText); }

void THintWindow::EnsureWindow() {
    if (hwnd_) return;
    window_ = UniqueWindow(CreateBoundWindow(this, WS_EX_TOOLWINDOW | WS_EX_TOPMOST,
                                             BoundWindowClass(CS_SAVEBITS, "BrisboltHint"), "", WS_POPUP, 0, 0, 0, 0,
                                             nullptr));
}

RECT THintWindow::CalcHintRect(int maxWidth, const std::string& text) {
    EnsureWindow();
    ClientDC dc(hwnd_);
    TCanvas canvas(dc.get());
    canvas.Font.Assign(Font);
    RECT rect{0, 0, maxWidth, 0};
    canvas.DrawText(text, rect, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    rect.right += 6;
    rect.bottom += 2;
    return rect;
}

void THintWindow::ActivateHint(const RECT& rect, const std::string& text) {
    EnsureWindow();
    caption_ = text;
    SetWindowPos(hwnd_, HWND_TOPMOST, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void THintWindow::ReleaseHandle() {
    if (hwnd_) ShowWindow(hwnd_, SW_HIDE);
}

void THintWindow::Paint(TCanvas& canvas) {
    RECT client;
    GetClientRect(hwnd_, &client);
    canvas.Brush.Color = Color;
    canvas.FillRect(client);
    canvas.Brush.Color = clBlack;
    canvas.FrameRect(client);
    canvas.Font.Assign(Font);
    RECT text{client.left + 3, client.top + 1, client.right - 3, client.bottom};
    canvas.DrawText(caption_, text, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
}

LRESULT THintWindow::OnPaint() {
    PaintScope paint(hwnd_);
    TCanvas canvas(paint.dc());
    Paint(canvas);
    return 0;
}

LRESULT THintWindow::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_PAINT: return OnPaint();
        case WM_NCHITTEST: return HTTRANSPARENT;
        case WM_NCDESTROY: window_.release(); break;
    }
    return DefaultProc(msg, wp, lp);
}

}  // namespace brisbolt
