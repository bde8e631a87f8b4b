// The rounded push button under real windows: its bevel read back pixel by
// pixel, the pressed face, clicks outside the rounded corner, the size limit,
// the caption and the accelerator key.
#include "skin/RoundedButton.h"

#include <algorithm>
#include <vector>

#include "SkinWineSupport.h"
#include "skin/SkinDraw.h"

namespace brisbolt {
namespace {

using namespace skintest;

class RoundedButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        form = NewForm(300, 120);
        form->SetColor(clSilver);
        button = new TRoundedButton(form);
        button->SetParent(form);
        button->SetBounds(10, 10, 127, 31);
        button->SetButtonColor(clWhite);
        button->SetFrameWidth(15);
        button->SetCornerRadius(10);
        button->SetCaption("OK");
        button->Font.SetHeight(-13);
        button->Font.SetStyle(fsBold);
        button->OnClick = [this](TComponent*) { ++clicks; };
    }
    void TearDown() override { delete form; }

    // The middle row of the button's left edge.
    COLORREF Edge(int column) {
        ReadBack(form, picture);
        return PixelAt(picture, 10 + column, 10 + 15);
    }

    TForm* form = nullptr;
    TRoundedButton* button = nullptr;
    TBitmap picture;
    int clicks = 0;
};

TEST_F(RoundedButtonTest, BevelRingsBlendFromTheRimIntoTheFace) {
    // FrameWidth 15 makes 16 rings; ring i is the outline at column i + 1.
    const int levels[] = {0, 89, 123, 149, 169, 185, 199, 211, 221, 229, 236, 242, 247, 250, 253};
    ReadBack(form, picture);
    for (int i = 0; i < 15; ++i) EXPECT_EQ(PixelAt(picture, 10 + i + 1, 25), Grey(levels[i])) << "ring " << i;
    // The face's own outline, in the shadow colour when not pressed.
    EXPECT_EQ(PixelAt(picture, 10, 25), static_cast<COLORREF>(ColorToRGB(clBtnShadow)));
    // Outside the rounded corner the form shows through.
    EXPECT_EQ(PixelAt(picture, 10, 10), static_cast<COLORREF>(ColorToRGB(clSilver)));
    SaveSnapshot(picture, "rounded_button_normal");
}

TEST_F(RoundedButtonTest, APressOnTheFaceShowsThePressedFaceUntilRelease) {
    SendMessageA(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(10 + 63, 10 + 15));
    EXPECT_TRUE(button->Pressed());
    EXPECT_TRUE(TRoundedButton::PressBeganInside());
    EXPECT_EQ(Edge(0), RGB(0, 0, 0));
    SaveSnapshot(picture, "rounded_button_pressed");
    SendMessageA(form->Handle(), WM_LBUTTONUP, 0, At(10 + 63, 10 + 15));
    EXPECT_FALSE(button->Pressed());
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(Edge(0), static_cast<COLORREF>(ColorToRGB(clBtnShadow)));
}

TEST_F(RoundedButtonTest, APressOutsideTheRoundedCornerClicksWithoutThePressedFace) {
    SendMessageA(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(10 + 1, 10 + 1));
    EXPECT_FALSE(button->Pressed());
    EXPECT_FALSE(TRoundedButton::PressBeganInside());
    EXPECT_EQ(Edge(0), static_cast<COLORREF>(ColorToRGB(clBtnShadow)));
    SendMessageA(form->Handle(), WM_LBUTTONUP, 0, At(10 + 1, 10 + 1));
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(button->Pressed());
}

TEST_F(RoundedButtonTest, TheRightButtonNeitherPressesNorClicks) {
    SendMessageA(form->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, At(10 + 63, 10 + 15));
    EXPECT_FALSE(button->Pressed());
    SendMessageA(form->Handle(), WM_RBUTTONUP, 0, At(10 + 63, 10 + 15));
    EXPECT_EQ(clicks, 0);
}

TEST_F(RoundedButtonTest, APaintedButtonIsNeverLargerThan145) {
    button->SetBounds(10, 10, 200, 160);
    ReadBack(form, picture);
    EXPECT_EQ(button->Width(), 145);
    EXPECT_EQ(button->Height(), 145);
}

TEST_F(RoundedButtonTest, AltAndTheAcceleratorClickOnlyAnEnabledButton) {
    struct Case {
        const char* caption;
        char key;
        int clicks;
    } cases[] = {
        {"&Quit", 'q', 1},        {"&Quit", 'Q', 1},         {"&Quit", 'x', 0},         {"Save && Exit", '&', 0},
        {"Save && Exit", ' ', 0}, {"Save && E&xit", 'x', 1}, {"Save && E&xit", 'e', 0}, {"R&&D", 'd', 0},
        {"Quit", 'q', 0},         {"&Stop &Quit", 'q', 1},   {"&Stop &Quit", 's', 0},  // only the underlined letter
    };
    for (const Case& c : cases) {
        button->SetCaption(c.caption);
        clicks = 0;
        SendMessageA(form->Handle(), WM_SYSCHAR, static_cast<unsigned char>(c.key), 1 << 29);
        EXPECT_EQ(clicks, c.clicks) << c.caption << " with " << c.key;
    }
    button->SetCaption("&Quit");
    button->SetEnabled(false);
    clicks = 0;
    SendMessageA(form->Handle(), WM_SYSCHAR, 'q', 1 << 29);
    EXPECT_EQ(clicks, 0);
}

TEST_F(RoundedButtonTest, ADoubledAmpersandIsDrawnAsOneAndUnderlinesNothing) {
    const int w = 140, h = 60;
    button->SetBounds(10, 10, w, h);
    button->SetFrameWidth(4);
    button->SetCaption("R&&D");
    ReadBack(form, picture);
    // The text as it should read, drawn without any prefix handling.
    TBitmap expected(w, h);
    FillSolid(expected.DC(), RECT{0, 0, w, h}, clWhite);
    {
        ScopedSelect font(expected.DC(), button->Font.Handle());
        SetBkMode(expected.DC(), TRANSPARENT);
        SetTextColor(expected.DC(), ColorRef(button->Font.Color()));
        RECT rect{0, 0, w, h};
        DrawTextA(expected.DC(), "R&D", -1, &rect, DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX);
    }
    int differing = 0;
    for (int y = 12; y < h - 12; ++y)  // inside the bevel
        for (int x = 15; x < w - 15; ++x) differing += PixelAt(picture, 10 + x, 10 + y) != PixelAt(expected, x, y);
    EXPECT_EQ(differing, 0);
    SaveSnapshot(picture, "rounded_button_ampersand");
}

TEST(BrushCache, OneBrushPerColourKeptUntilCleared) {
    BrushCache cache;
    const HBRUSH red = cache.Get(RGB(200, 0, 0));
    EXPECT_EQ(cache.Get(RGB(200, 0, 0)), red);
    EXPECT_EQ(cache.Get(clRed), cache.Get(RGB(255, 0, 0)));
    EXPECT_NE(cache.Get(RGB(0, 0, 200)), red);
    EXPECT_EQ(cache.Size(), 3u);
    LOGBRUSH made{};
    ASSERT_EQ(GetObjectA(red, sizeof made, &made), static_cast<int>(sizeof made));
    EXPECT_EQ(made.lbColor, RGB(200, 0, 0));
    cache.Clear();
    EXPECT_EQ(GetObjectType(red), 0u);
}

TEST(RoundedButton, AButtonWhoseCaptionWasNeverSetShowsItsName) {
    struct ButtonForm : TForm {
        explicit ButtonForm(TComponent* owner) : TForm(owner) {
            const char* names[] = {"btnAccelerateMe", "btnCancel", "btnBlank"};
            for (const char* name : names) {
                auto* button = new TRoundedButton(this);
                button->Name = name;
                button->SetParent(this);
                buttons.push_back(button);
            }
            buttons[1]->SetCaption("CANCEL");
            buttons[2]->SetCaption("");
        }
        std::vector<TRoundedButton*> buttons;
    };
    auto* form = CreateForm<ButtonForm>(nullptr);
    EXPECT_EQ(form->buttons[0]->Caption(), "btnAccelerateMe");
    EXPECT_EQ(form->buttons[1]->Caption(), "CANCEL");
    EXPECT_EQ(form->buttons[2]->Caption(), "");  // set, even if to nothing
    delete form;
}

// Where the pixels of one colour lie within a part of the picture.
struct Extent {
    int count = 0, left = 0, top = 0, right = 0, bottom = 0;
};

Extent ExtentOf(const TBitmap& picture, COLORREF colour, const RECT& within) {
    Extent e;
    for (int y = within.top; y < within.bottom; ++y)
        for (int x = within.left; x < within.right; ++x) {
            if (PixelAt(picture, x, y) != colour) continue;
            if (e.count++ == 0) e.left = e.right = x, e.top = e.bottom = y;
            e.left = std::min(e.left, x), e.right = std::max(e.right, x);
            e.top = std::min(e.top, y), e.bottom = std::max(e.bottom, y);
        }
    return e;
}

TEST_F(RoundedButtonTest, ShapesStylesAndTheDisabledLookInPixels) {
    form->SetBounds(40, 40, 300, 300);
    enum class Seen { Form, Rim, Outline, Bevel };
    struct Probe {
        int x, y;
        Seen seen;
    };
    // 127 x 40 buttons, black rim, silver face on the silver form, 16 rings.
    // Outside the shape the form shows through; ring 0 (one pixel in) is the
    // rim colour, the face outline is clBtnShadow; the rings inward are
    // greys between black and silver. The capsule's corner has radius 20,
    // the rectangle's 10; the oval's top edge at column 20 is row 5.
    const std::vector<Probe> edges = {{0, 20, Seen::Outline}, {1, 20, Seen::Rim}, {63, 1, Seen::Rim}};
    const struct {
        TFShape shape;
        std::vector<Probe> probes;
    } shapes[] = {{TFShape::shCapsule, {{3, 3, Seen::Form}, {20, 3, Seen::Bevel}}},
                  {TFShape::shOval, {{3, 3, Seen::Form}, {20, 3, Seen::Form}}},
                  {TFShape::shRectangle, {{1, 12, Seen::Rim}, {20, 3, Seen::Bevel}}}};
    // White, black and clGray (a disabled caption or shadow) are no colour of
    // the rings or the face: in the middle of the button they are the text.
    const COLORREF none = CLR_INVALID, white = RGB(255, 255, 255), black = RGB(0, 0, 0), grey = RGB(128, 128, 128);
    const struct {
        TFShape shape;
        TTextStyle style;
        bool enabled;
        const char* caption;
        COLORREF text, shadow;
        int offset;  // of the shadow, both ways
    } looks[] = {{TFShape::shCapsule, TTextStyle::txLowered, true, "Capsule", white, black, 1},
                 {TFShape::shOval, TTextStyle::txShadowed, true, "Oval", white, black, 2},
                 {TFShape::shRectangle, TTextStyle::txRaised, true, "Raised", white, black, -1},
                 {TFShape::shRectangle, TTextStyle::txNone, false, "Disabled", grey, none, 0},
                 {TFShape::shRectangle, TTextStyle::txRaised, false, "Disabled", white, grey, -1}};
    const int left = 10, firstTop = 50, pitch = 48, w = 127, h = 40;
    int top = firstTop;
    for (const auto& look : looks) {
        auto* b = new TRoundedButton(form);
        b->SetParent(form);
        b->SetBounds(left, top, w, h);
        b->SetButtonColor(clSilver);
        b->SetShape(look.shape);
        b->SetTextStyle(look.style);
        b->SetCaption(look.caption);
        b->Font.SetStyle(fsBold);
        b->Font.SetColor(clWhite);
        b->SetEnabled(look.enabled);
        top += pitch;
    }
    auto* title = new TRoundedButton(form);
    title->SetParent(form);
    title->SetBounds(150, 50, 33, 24);
    title->SetButtonColor(clSilver);
    title->SetFrameWidth(10);
    title->SetCornerRadius(14);
    title->SetCaption("Help");
    ReadBack(form, picture);
    SaveSnapshot(picture, "rounded_button_shapes");

    const COLORREF silver = RGB(192, 192, 192), btnShadow = static_cast<COLORREF>(ColorToRGB(clBtnShadow));
    top = firstTop;
    for (const auto& look : looks) {
        SCOPED_TRACE(look.caption);
        std::vector<Probe> probes = edges;
        for (const auto& s : shapes)
            if (s.shape == look.shape) probes.insert(probes.end(), s.probes.begin(), s.probes.end());
        for (const Probe& p : probes) {
            const COLORREF c = PixelAt(picture, left + p.x, top + p.y);
            const int r = GetRValue(c);
            switch (p.seen) {
                case Seen::Form: EXPECT_EQ(c, silver) << p.x << "," << p.y; break;
                case Seen::Rim: EXPECT_EQ(c, black) << p.x << "," << p.y; break;
                case Seen::Outline: EXPECT_EQ(c, btnShadow) << p.x << "," << p.y; break;
                case Seen::Bevel: {
                    const bool darkerGrey = r == GetGValue(c) && r == GetBValue(c) && r > 0 && r < 192;
                    EXPECT_TRUE(darkerGrey) << p.x << "," << p.y << " is " << std::hex << c;
                    break;
                }
            }
        }
        // The middle of the button: clear of the rim and the face outline.
        const RECT middle{left + 25, top + 8, left + w - 25, top + h - 8};
        for (COLORREF colour : {white, black, grey}) {
            const bool drawn = colour == look.text || colour == look.shadow;
            EXPECT_EQ(ExtentOf(picture, colour, middle).count > 0, drawn) << std::hex << colour;
        }
        if (look.shadow != none) {
            // The shadow sticks out beyond the caption on the side it is moved to.
            const Extent text = ExtentOf(picture, look.text, middle), shadow = ExtentOf(picture, look.shadow, middle);
            if (look.offset > 0) {
                EXPECT_EQ(shadow.right, text.right + look.offset);
                EXPECT_EQ(shadow.bottom, text.bottom + look.offset);
            } else {
                EXPECT_EQ(shadow.left, text.left + look.offset);
                EXPECT_EQ(shadow.top, text.top + look.offset);
            }
        }
        top += pitch;
    }
    // The title-bar button: rounded off at the corner, its caption black in
    // the middle, where no ring of 10 reaches.
    EXPECT_EQ(PixelAt(picture, 150, 50), silver);
    EXPECT_GT(ExtentOf(picture, black, RECT{150 + 11, 50 + 6, 150 + 22, 50 + 18}).count, 0);
    EXPECT_EQ(ExtentOf(picture, white, RECT{150, 50, 150 + 33, 50 + 24}).count, 0);
}

}  // namespace
}  // namespace brisbolt
