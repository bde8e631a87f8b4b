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

// Renders the form, with the windows within, into a picture: what the form
// paints, whatever else the display shows. Outside a shaped form's outline
// the picture is white, where the user would see through.
inline void Render(TForm* form, TBitmap& into) {
    RECT client;
    GetClientRect(form->Handle(), &client);
    into.SetSize(client.right, client.bottom);
    SendMessageA(form->Handle(), WM_PRINT, reinterpret_cast<WPARAM>(into.DC()), PRF_CLIENT | PRF_CHILDREN);
    UniqueRegion outline(CreateRectRgn(0, 0, 0, 0));
    if (GetWindowRgn(form->Handle(), outline.get()) != ERROR) {
        UniqueRegion outside(CreateRectRgn(0, 0, client.right, client.bottom));
        CombineRgn(outside.get(), outside.get(), outline.get(), RGN_DIFF);
        FillRgn(into.DC(), outside.get(), static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
}

// Shows the form, lets it settle, and renders it.
inline void ReadBack(TForm* form, TBitmap& into) {
    form->Show();
    Application->ProcessMessages();
    Render(form, into);
}

inline void SaveSnapshot(const TBitmap& picture, const std::string& name) {
    CreateDirectoryA(SNAPSHOT_DIR, nullptr);
    EXPECT_TRUE(picture.SaveToFile(std::string(SNAPSHOT_DIR) + "/" + name + ".bmp")) << name;
}

// What the window paints, saved under its picture name.
inline void SnapshotOf(TForm* form, const std::string& name) {
    TBitmap picture;
    Render(form, picture);
    SaveSnapshot(picture, name);
}

inline COLORREF PixelAt(const TBitmap& picture, int x, int y) { return GetPixel(picture.DC(), x, y); }

inline COLORREF Grey(int level) { return RGB(level, level, level); }

inline LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

}  // namespace brisbolt::skintest
