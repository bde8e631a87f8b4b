// The painting side of windowed controls: off-screen painting of the
// window and the controls without one, WM_PRINT for pictures, and the
// colours a native control is painted with.
#include "runtime/Control.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "runtime/GdiCache.h"

namespace brisbolt {

bool TWinControl::HasNonClientArea() const {
    RECT frame, client;
    GetWindowRect(hwnd_, &frame);
    GetClientRect(hwnd_, &client);
    return frame.right - frame.left != client.right || frame.bottom - frame.top != client.bottom;
}

LRESULT TWinControl::OnNcPaint(UINT msg, WPARAM wp, LPARAM lp) {
    // A window with nothing around its client area (no frame, caption or
    // scroll bar) has nothing to draw there: the system would only fetch a
    // device context for it, an X round trip under Wine for every window of
    // a form as it is shown.
    return HasNonClientArea() ? DefaultProc(msg, wp, lp) : 0;
}

void TWinControl::PaintWindow(HDC dc) {
    TCanvas canvas(dc);
    canvas.Brush.Color = color_;
    RECT client;
    GetClientRect(hwnd_, &client);
    canvas.FillRect(client);
}

void TWinControl::PaintControls(HDC dc, const RECT& area) {
    for (TControl* control : controls_) {
        if (control->AsWinControl() || !control->visible_) continue;
        const RECT bounds = control->BoundsRect();
        RECT overlap;
        if (!IntersectRect(&overlap, &bounds, &area)) continue;
        const int saved = SaveDC(dc);
        POINT origin;
        GetViewportOrgEx(dc, &origin);
        SetViewportOrgEx(dc, origin.x + bounds.left, origin.y + bounds.top, nullptr);
        IntersectClipRect(dc, 0, 0, control->width_, control->height_);
        TCanvas canvas(dc);
        control->Paint(canvas);
        RestoreDC(dc, saved);
    }
}

LRESULT TWinControl::ColorMessage(HDC dc) {
    SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(Font.Color())));
    SetBkColor(dc, static_cast<COLORREF>(ColorToRGB(color_)));
    if (!backgroundBrush_ || backgroundBrushColor_ != color_) {
        backgroundBrush_.reset(CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(color_))));
        backgroundBrushColor_ = color_;
    }
    return reinterpret_cast<LRESULT>(backgroundBrush_.get());
}

void TWinControl::PaintBuffered(HDC dc) {
    RECT client;
    GetClientRect(hwnd_, &client);
    PaintBuffered(dc, client);
}

void TWinControl::PaintBuffered(HDC dc, const RECT& area) {
    RECT client;
    GetClientRect(hwnd_, &client);
    // Painted off-screen first, so the window never flickers. On screen
    // into the buffer every window shares; a picture of the DC's own kind
    // where the window prints into a memory DC.
    const int width = std::max<LONG>(client.right, 1), height = std::max<LONG>(client.bottom, 1);
    std::optional<PaintBufferLoan> shared;
    if (GetObjectType(dc) == OBJ_DC) shared.emplace(width, height);
    HDC target = shared ? shared->dc() : nullptr;
    UniqueBitmap buffer;
    UniqueMemoryDC memory;
    if (!target) {
        buffer.reset(CreateCompatibleBitmap(dc, width, height));
        memory.reset(CreateCompatibleDC(dc));
        SelectObject(memory.get(), buffer.get());
        target = memory.get();
    }
    PaintWindow(target);
    PaintControls(target, area);
    BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, target, area.left, area.top,
           SRCCOPY);
}

void TWinControl::Print(HDC dc, LPARAM flags) {
    if ((flags & PRF_CHECKVISIBLE) && !IsWindowVisible(hwnd_)) return;
    // Where the client area lies in the window's own coordinates.
    RECT frame;
    GetWindowRect(hwnd_, &frame);
    POINT client{0, 0};
    ::ClientToScreen(hwnd_, &client);
    const int dx = client.x - frame.left, dy = client.y - frame.top;
    if ((flags & PRF_NONCLIENT) && (dx || dy)) DefaultProc(WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_NONCLIENT);

    const int saved = SaveDC(dc);
    POINT origin;
    GetViewportOrgEx(dc, &origin);
    SetViewportOrgEx(dc, origin.x + dx, origin.y + dy, nullptr);
    if (flags & PRF_CLIENT) PaintBuffered(dc);
    if (flags & PRF_CHILDREN) PrintChildren(dc, flags);
    RestoreDC(dc, saved);
}

void TWinControl::PrintChildren(HDC dc, LPARAM flags) {
    {
        // Bottom of the z-order first, so the top one ends up on top.
        std::vector<HWND> children;
        for (HWND child = GetWindow(hwnd_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            children.push_back(child);
        for (auto it = children.rbegin(); it != children.rend(); ++it) {
            if (!IsWindowVisible(*it)) continue;
            RECT place;
            GetWindowRect(*it, &place);
            POINT at{place.left, place.top};
            ::ScreenToClient(hwnd_, &at);
            const int w = place.right - place.left, h = place.bottom - place.top;
            // Each child prints into a picture of its own, starting from what
            // lies beneath it: some system controls clip in device units and
            // would not follow a moved origin.
            UniqueMemoryDC childDC(CreateCompatibleDC(dc));
            UniqueBitmap picture(CreateCompatibleBitmap(dc, std::max(w, 1), std::max(h, 1)));
            ScopedSelect select(childDC.get(), picture.get());
            BitBlt(childDC.get(), 0, 0, w, h, dc, at.x, at.y, SRCCOPY);
            SendMessageA(*it, WM_PRINT, reinterpret_cast<WPARAM>(childDC.get()), flags & ~PRF_CHECKVISIBLE);
            BitBlt(dc, at.x, at.y, w, h, childDC.get(), 0, 0, SRCCOPY);
        }
    }
}

LRESULT TWinControl::OnPaint(UINT msg, WPARAM wp, LPARAM lp) {
    if (!TakenOver()) {
        PaintScope paint(hwnd_);
        PaintBuffered(paint.dc(), paint.area());
        return 0;
    }
    // A native container draws itself; the children without a window go on top.
    const LRESULT result = DefaultProc(msg, wp, lp);
    if (std::any_of(controls_.begin(), controls_.end(), [](TControl* c) { return !c->AsWinControl(); })) {
        ClientDC dc(hwnd_);
        RECT client;
        GetClientRect(hwnd_, &client);
        PaintControls(dc.get(), client);
    }
    return result;
}

LRESULT TWinControl::OnPrintClient(UINT msg, WPARAM wp, LPARAM lp) {
    if (TakenOver()) return DefaultProc(msg, wp, lp);
    PaintBuffered(reinterpret_cast<HDC>(wp));
    return 0;
}

LRESULT TWinControl::OnPrint(UINT msg, WPARAM wp, LPARAM lp) {
    if (!TakenOver()) {
        Print(reinterpret_cast<HDC>(wp), lp);
        return 0;
    }
    // Not every system prints the windows within a native container (a
    // group box's radio buttons): done here.
    if (!(lp & PRF_CHILDREN) || !GetWindow(hwnd_, GW_CHILD)) return DefaultProc(msg, wp, lp);
    if ((lp & PRF_CHECKVISIBLE) && !IsWindowVisible(hwnd_)) return 0;
    DefaultProc(msg, wp, lp & ~PRF_CHILDREN);
    PrintChildren(reinterpret_cast<HDC>(wp), lp);
    // The children without a window go on top, as when painted.
    RECT client;
    GetClientRect(hwnd_, &client);
    PaintControls(reinterpret_cast<HDC>(wp), client);
    return 0;
}

}  // namespace brisbolt
