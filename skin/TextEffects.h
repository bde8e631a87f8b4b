// Putting the 3-D text and the bevel frame on a device context.
#pragma once

#include <windows.h>

#include <string>

#include "runtime/Graphics.h"
#include "skin/Font3D.h"
#include "skin/SkinFrame.h"

namespace brisbolt {

// The text with its relief, in the font's own colour last.
void DrawText3D(const TFont3D& effect, const TFont& font, HDC dc, bool enabled, UINT flags, const std::string& text,
                RECT rect);

// Draws one copy of the text in a colour, moved by (dx, dy).
void DrawTextCopy(HDC dc, const std::string& text, RECT rect, int dx, int dy, UINT flags, COLORREF color);

void PaintFrame(const TSkinFrame& frame, HDC dc, const RECT& rect);

}  // namespace brisbolt
