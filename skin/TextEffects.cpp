#include "skin/TextEffects.h"

#include "skin/SkinDraw.h"

namespace brisbolt {

void DrawTextCopy(HDC dc, const std::string& text, RECT rect, int dx, int dy, UINT flags, COLORREF color) {
    OffsetRect(&rect, dx, dy);
    SetTextColor(dc, color);
    DrawTextExA(dc, const_cast<char*>(text.c_str()), static_cast<int>(text.size()), &rect, flags | DT_NOCLIP, nullptr);
}

void DrawText3D(const TFont3D& effect, const TFont& font, HDC dc, bool enabled, UINT flags, const std::string& text,
                RECT rect) {
    TFont own;
    own.Assign(font);
    ScopedSelect select(dc, own.Handle());
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const Text3DPlan plan = PlanText3D(effect, enabled);
    InflateRect(&rect, -plan.shrinkX, -plan.shrinkY);
    for (const TextCopy& copy : plan.copies)
        DrawTextCopy(dc, text, rect, copy.dx, copy.dy, flags, ColorRef(copy.fontColor ? own.Color() : copy.color));
    SetBkMode(dc, oldMode);
}

void PaintFrame(const TSkinFrame& frame, HDC dc, const RECT& rect) {
    for (const FrameLine& line : FrameLines(frame, rect.left, rect.top, rect.right, rect.bottom))
        DrawLine(dc, line.x0, line.y0, line.x1, line.y1, ColorRef(line.color));
}

}  // namespace brisbolt
