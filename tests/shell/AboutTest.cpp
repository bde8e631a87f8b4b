// The About box under real windows: its controls and their places, the black
// read-only memo with lime text, the lime hover on "OK", the cursors, the drag
// by the picture, and "OK" ending the modal loop with 6.
#include "shell/frmAbout.h"

#include <memory>
#include <string>
#include <vector>

#include "runtime/Timer.h"
#include "skin/RoundedButtonMath.h"
#include "tests/skin_wine/KeySupport.h"
#include "tests/skin_wine/SkinWineSupport.h"

namespace brisbolt {
namespace {

using namespace skintest;

struct Ink {
    int count = 0;
    int left = 1 << 30, right = -1;
    std::vector<int> rows;  // rows with ink, top to bottom
};

template <typename Test>
Ink InkIn(const TBitmap& picture, RECT area, Test isInk) {
    Ink ink;
    for (int y = area.top; y < area.bottom; ++y) {
        bool row = false;
        for (int x = area.left; x < area.right; ++x) {
            const COLORREF c = PixelAt(picture, x, y);
            if (!isInk(GetRValue(c), GetGValue(c), GetBValue(c))) continue;
            ++ink.count;
            ink.left = std::min(ink.left, x);
            ink.right = std::max(ink.right, x);
            row = true;
        }
        if (row) ink.rows.push_back(y);
    }
    return ink;
}

// Green text, smoothed or not.
bool Greenish(int r, int g, int b) { return g > 120 && r < 100 && b < 100; }
bool Lime(int r, int g, int b) { return g > 200 && r < 80 && b < 80; }

// Runs of consecutive rows: the lines of text.
int Bands(const std::vector<int>& rows) {
    int bands = 0;
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (i == 0 || rows[i] != rows[i - 1] + 1) ++bands;
    return bands;
}

RECT PlaceIn(HWND child, HWND parent) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

TEST(AboutBox, NamesTheMakerLightsOKOnHoverAndEndsWithYes) {
    Application->ResetTerminated();
    // Keep the real pointer off the box, so only the moves sent here count.
    SetCursorPos(0, 0);
    std::unique_ptr<TfrmAbout> about(CreateForm<TfrmAbout>(nullptr));
    HWND hwnd = about->Handle();
    TBitmap picture;
    ReadBack(about.get(), picture);

    // The window: borderless, 331 x 182, centred, cut to its outline.
    RECT client, window;
    GetClientRect(hwnd, &client);
    GetWindowRect(hwnd, &window);
    EXPECT_EQ(client.right, 331);
    EXPECT_EQ(client.bottom, 182);
    EXPECT_EQ(window.left, (GetSystemMetrics(SM_CXSCREEN) - 331) / 2);
    EXPECT_EQ(window.top, (GetSystemMetrics(SM_CYSCREEN) - 182) / 2);
    EXPECT_EQ(GetWindowLongA(hwnd, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME), 0);
    char title[16] = {};
    GetWindowTextA(hwnd, title, sizeof title);
    EXPECT_STREQ(title, "About");
    UniqueRegion outline(CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(GetWindowRgn(hwnd, outline.get()), COMPLEXREGION);

    // Creation order is painting order: the picture, then the button over it.
    struct Place {
        TControl* control;
        RECT bounds;
        std::string caption;
    };
    const Place places[] = {{about->ShapedForm1, {0, 0, 331, 182}, ""},
                            {about->btnOK, {102, 140, 229, 171}, "OK"},
                            {about->Memo1, {16, 72, 314, 123}, ""}};
    ASSERT_EQ(about->Controls().size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        const Place& p = places[i];
        EXPECT_EQ(about->Controls()[i], p.control) << i;
        const RECT bounds = p.control->AsWinControl() ? PlaceIn(about->Memo1->Handle(), hwnd) : p.control->BoundsRect();
        EXPECT_TRUE(EqualRect(&bounds, &p.bounds)) << p.control->Name << " at " << bounds.left << "," << bounds.top
                                                   << " to " << bounds.right << "," << bounds.bottom;
        if (!p.control->AsWinControl()) {
            EXPECT_EQ(p.control->Caption(), p.caption) << p.control->Name;
        }
    }

    // The memo: three lines, read-only, out of the tab order, flat.
    HWND memo = about->Memo1->Handle();
    const std::vector<std::string> lines = about->Memo1->Lines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "Brisbolt ");
    EXPECT_NE(lines[1].find("Corvelle"), std::string::npos);
    EXPECT_NE(lines[2].find("Corvelle"), std::string::npos);
    SendMessageA(memo, WM_CHAR, 'x', 1);
    SendMessageA(memo, WM_KEYDOWN, VK_DELETE, 1);
    EXPECT_EQ(about->Memo1->Lines(), lines);
    EXPECT_EQ(GetWindowLongA(memo, GWL_STYLE) & WS_TABSTOP, 0);
    RECT memoClient;
    GetClientRect(memo, &memoClient);
    EXPECT_EQ(memoClient.right, 298);  // no edge takes room
    EXPECT_EQ(memoClient.bottom, 51);

    // Painted: black ground, three lines of green text, the first centred.
    const RECT memoArea{16, 72, 314, 123};
    EXPECT_EQ(PixelAt(picture, 17, 73), RGB(0, 0, 0));
    EXPECT_EQ(PixelAt(picture, 312, 121), RGB(0, 0, 0));
    const Ink text = InkIn(picture, memoArea, Greenish);
    EXPECT_GT(text.count, 150);
    EXPECT_EQ(Bands(text.rows), 3);
    EXPECT_GT(InkIn(picture, memoArea, Lime).count, 30);
    ASSERT_FALSE(text.rows.empty());
    const Ink first = InkIn(picture, RECT{16, text.rows.front(), 314, text.rows.front() + 8}, Greenish);
    EXPECT_NEAR((first.left + first.right) / 2, 165, 5);
    EXPECT_EQ(InkIn(picture, RECT{0, 0, 331, 182}, Greenish).count,
              InkIn(picture, memoArea, Greenish).count);  // green only in the memo

    // The button over the skin: its shadow outline, the black rim, light grey within.
    EXPECT_EQ(PixelAt(picture, 102, 155), static_cast<COLORREF>(ColorToRGB(clBtnShadow)));
    EXPECT_EQ(PixelAt(picture, 103, 155), RGB(0, 0, 0));
    const COLORREF inner = PixelAt(picture, 116, 155);
    EXPECT_TRUE(GetRValue(inner) == GetGValue(inner) && GetGValue(inner) == GetBValue(inner) && GetRValue(inner) > 150)
        << std::hex << inner;
    SaveSnapshot(picture, "about_box");

    // The hover table: the caption turns lime once, and back on the picture.
    struct Move {
        POINT at;
        TColor caption;
        bool repaints;
        const char* where;
    };
    const Move moves[] = {{{165, 155}, clLime, true, "onto OK"},
                          {{120, 148}, clLime, false, "within OK"},
                          {{30, 40}, clWindowText, true, "onto the picture"},
                          {{200, 60}, clWindowText, false, "along the picture"},
                          {{228, 170}, clLime, true, "onto OK's corner"},
                          {{102, 140}, clLime, false, "to OK's other corner"},
                          {{101, 139}, clWindowText, true, "just off OK"}};
    const RECT captionArea{140, 145, 190, 167};
    for (const Move& move : moves) {
        UpdateWindow(hwnd);
        SendMessageA(hwnd, WM_MOUSEMOVE, 0, At(move.at.x, move.at.y));
        EXPECT_EQ(about->btnOK->Font.Color(), move.caption) << move.where;
        EXPECT_EQ(GetUpdateRect(hwnd, nullptr, FALSE) != FALSE, move.repaints) << move.where;
        ReadBack(about.get(), picture);
        EXPECT_EQ(InkIn(picture, captionArea, Lime).count > 10, move.caption == clLime) << move.where;
        if (&move == &moves[0]) SaveSnapshot(picture, "about_box_ok_lit");
    }

    // Hand over OK, the arrow over the picture; the memo picks its own.
    struct Pointer {
        POINT at;
        LPCSTR cursor;
    };
    for (const Pointer& p : {Pointer{{165, 155}, IDC_HAND}, Pointer{{30, 40}, IDC_ARROW}}) {
        SetCursorPos(window.left + p.at.x, window.top + p.at.y);
        SendMessageA(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, p.cursor)) << p.at.x << "," << p.at.y;
    }
    EXPECT_FALSE(SendMessageA(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(memo), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    SetCursorPos(0, 0);
    Application->ProcessMessages();

    // Dragged by the picture.
    SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, At(30, 40));
    SendMessageA(hwnd, WM_MOUSEMOVE, MK_LBUTTON, At(40, 45));
    SendMessageA(hwnd, WM_LBUTTONUP, 0, At(40, 45));
    RECT moved;
    GetWindowRect(hwnd, &moved);
    EXPECT_EQ(moved.left, window.left + 10);
    EXPECT_EQ(moved.top, window.top + 5);

    // "OK" ends the modal loop with 6; a stuck loop ends with 3 instead.
    TTimer stuck(nullptr);
    stuck.SetInterval(3000);
    stuck.OnTimer = [&](TComponent*) { about->ModalResult = mrAbort; };
    PostMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, At(165, 155));
    PostMessageA(hwnd, WM_LBUTTONUP, 0, At(165, 155));
    EXPECT_EQ(about->ShowModal(), mrYes);
    EXPECT_FALSE(IsWindowVisible(hwnd));
}

// "OK" has the keyboard from the start, shows it with the dotted rectangle
// inside its face, and Enter, Space and Esc all press it.
TEST(AboutBox, OKHasTheKeyboardAndEveryKeyThatPressesAButtonPressesIt) {
    using namespace keytest;
    Application->ResetTerminated();
    SetCursorPos(0, 0);
    std::unique_ptr<TfrmAbout> about(CreateForm<TfrmAbout>(nullptr));
    TBitmap focused, unfocused;
    ReadBack(about.get(), focused);
    ASSERT_EQ(FocusedName(*about), "btnOK");
    // The only stop: Tab and Shift+Tab stay on it; the memo is passed by.
    EXPECT_EQ(TabRound(*about, 2), (std::vector<std::string>(2, "btnOK")));
    EXPECT_EQ(TabRound(*about, 2, true), (std::vector<std::string>(2, "btnOK")));
    SetFocus(nullptr);
    Render(about.get(), unfocused);
    about->btnOK->SetFocus();
    // The dots: on the rectangle's outline only, about every other pixel of it.
    const ShapeRegion box = ButtonFocusRect(TFShape::shRectangle, 127, 31, 10);
    const RECT ring{102 + box.left, 140 + box.top, 102 + box.right, 140 + box.bottom};
    int onRing = 0, elsewhere = 0;
    for (int y = 0; y < 182; ++y)
        for (int x = 0; x < 331; ++x) {
            if (PixelAt(focused, x, y) == PixelAt(unfocused, x, y)) continue;
            const bool edge = (x == ring.left || x == ring.right - 1 || y == ring.top || y == ring.bottom - 1) &&
                              x >= ring.left && x < ring.right && y >= ring.top && y < ring.bottom;
            ++(edge ? onRing : elsewhere);
        }
    EXPECT_EQ(elsewhere, 0);
    const int perimeter = 2 * (ring.right - ring.left + ring.bottom - ring.top) - 4;
    EXPECT_GE(onRing, perimeter / 2 - 4);
    SaveSnapshot(focused, "about_box_focused");

    for (const WORD key : {VK_RETURN, VK_SPACE, VK_ESCAPE}) {
        SCOPED_TRACE(key);
        TTimer press(nullptr);
        press.SetInterval(20);
        press.OnTimer = [&](TComponent*) {
            press.SetEnabled(false);
            if (FocusedName(*about) == "btnOK") PressKey(key);
        };
        press.SetEnabled(true);
        TTimer stuck(nullptr);
        stuck.SetInterval(3000);
        stuck.OnTimer = [&](TComponent*) { about->ModalResult = mrAbort; };
        stuck.SetEnabled(true);
        EXPECT_EQ(about->ShowModal(), mrYes);
    }
}

}  // namespace
}  // namespace brisbolt
