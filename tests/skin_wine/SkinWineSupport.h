// Shared pieces of the skinned controls' window tests: a borderless form on
// the virtual display, its picture read back, and snapshots on disk.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "runtime/Application.h"
#include "runtime/Form.h"
#include "runtime/Graphics.h"

namespace brisbolt::skintest {

inline TForm* NewForm(int width, int height, int left = 40, int top = 40) {
    auto* form = CreateForm<TForm>(nullptr);
    form->BorderStyle = TBorderStyle::None;
    form->SetBounds(left, top, width, height);
    return form;
}

// Shows the form, lets it paint, and reads its client area back.
inline void ReadBack(TForm* form, TBitmap& into) {
    form->Show();
    Application->ProcessMessages();
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT client;
    GetClientRect(form->Handle(), &client);
    into.SetSize(client.right, client.bottom);
    HDC dc = GetDC(form->Handle());
    BitBlt(into.DC(), 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
    ReleaseDC(form->Handle(), dc);
}

inline void SaveSnapshot(const TBitmap& picture, const std::string& name) {
    CreateDirectoryA(SNAPSHOT_DIR, nullptr);
    EXPECT_TRUE(picture.SaveToFile(std::string(SNAPSHOT_DIR) + "/" + name + ".bmp")) << name;
}

inline COLORREF PixelAt(const TBitmap& picture, int x, int y) { return GetPixel(picture.DC(), x, y); }

inline COLORREF Grey(int level) { return RGB(level, level, level); }

inline LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

}  // namespace brisbolt::skintest
