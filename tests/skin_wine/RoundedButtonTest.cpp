// The rounded push button under real windows: its bevel read back pixel by
// pixel, the pressed face, clicks outside the rounded corner, the size limit
// and the accelerator key.
#include "skin/RoundedButton.h"

#include "SkinWineSupport.h"

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
    button->SetCaption("&Quit");
    SendMessageA(form->Handle(), WM_SYSCHAR, 'q', 1 << 29);
    EXPECT_EQ(clicks, 1);
    SendMessageA(form->Handle(), WM_SYSCHAR, 'x', 1 << 29);
    EXPECT_EQ(clicks, 1);
    button->SetEnabled(false);
    SendMessageA(form->Handle(), WM_SYSCHAR, 'q', 1 << 29);
    EXPECT_EQ(clicks, 1);
}

TEST_F(RoundedButtonTest, SnapshotsOfShapesStylesAndTheDisabledLook) {
    form->SetBounds(40, 40, 300, 300);
    struct Look {
        TFShape shape;
        TTextStyle style;
        bool enabled;
        const char* caption;
    };
    const Look looks[] = {{TFShape::shCapsule, TTextStyle::txLowered, true, "Capsule"},
                          {TFShape::shOval, TTextStyle::txShadowed, true, "Oval"},
                          {TFShape::shRectangle, TTextStyle::txRaised, true, "Raised"},
                          {TFShape::shRectangle, TTextStyle::txNone, false, "Disabled"},
                          {TFShape::shRectangle, TTextStyle::txRaised, false, "Disabled"}};
    int top = 50;
    for (const Look& look : looks) {
        auto* b = new TRoundedButton(form);
        b->SetParent(form);
        b->SetBounds(10, top, 127, 40);
        b->SetButtonColor(clSilver);
        b->SetShape(look.shape);
        b->SetTextStyle(look.style);
        b->SetCaption(look.caption);
        b->Font.SetStyle(fsBold);
        b->Font.SetColor(clWhite);
        b->SetEnabled(look.enabled);
        top += 48;
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
}

}  // namespace
}  // namespace brisbolt
