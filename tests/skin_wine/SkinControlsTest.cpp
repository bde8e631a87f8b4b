// The skinned control family on a real form: the round button's circle and
// its press tracking, and a picture of every control in its states.
#include <vector>

#include "skin/SkinCheckBox.h"
#include "skin/SkinLabel.h"
#include "skin/SkinPanel.h"
#include "skin/SkinRoundButton.h"

#include "SkinWineSupport.h"
#include "resources/ResourceNames.h"

namespace brisbolt {
namespace {

using namespace skintest;

class SkinRoundButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        form = NewForm(100, 60);
        button = new TSkinRoundButton(form);
        button->SetParent(form);
        button->SetBounds(10, 10, 20, 20);
        button->OnClick = [this](TComponent*) { ++clicks; };
        form->Show();
    }
    void TearDown() override { delete form; }
    void Send(UINT msg, WPARAM keys, int x, int y) { SendMessageA(form->Handle(), msg, keys, At(10 + x, 10 + y)); }

    TForm* form = nullptr;
    TSkinRoundButton* button = nullptr;
    int clicks = 0;
};

TEST_F(SkinRoundButtonTest, OnlyTheCircleIsTheButton) {
    EXPECT_TRUE(button->Inside(10, 10));
    EXPECT_TRUE(button->Inside(2, 10));
    EXPECT_TRUE(button->Inside(1, 10));  // radius 9 around (10, 10)
    EXPECT_FALSE(button->Inside(0, 10));
    EXPECT_FALSE(button->Inside(2, 2));

    Send(WM_LBUTTONDOWN, MK_LBUTTON, 1, 1);  // in the square, outside the circle
    EXPECT_FALSE(button->Pressed());
    Send(WM_LBUTTONUP, 0, 1, 1);
    EXPECT_EQ(clicks, 0);
}

// The button keeps its two pictures from paint to paint: each paint must
// still take what lies under it now, and a new size must look as a new
// button of that size does.
TEST(SkinRoundButtonPictures, EachPaintShowsWhatLiesUnderItNowAtItsSizeNow) {
    auto render = [](TForm* form, TSkinRoundButton* button) {
        TBitmap picture, part(button->Width(), button->Height());
        Render(form, picture);
        BitBlt(part.DC(), 0, 0, part.Width(), part.Height(), picture.DC(), button->Left(), button->Top(), SRCCOPY);
        return std::vector<COLORREF>{PixelAt(part, 0, 0), PixelAt(part, part.Width() - 1, 0),
                                     PixelAt(part, part.Width() / 2, part.Height() / 2), PixelAt(part, 2, 2)};
    };
    auto newButton = [](TForm* form, int size) {
        auto* button = new TSkinRoundButton(form);
        button->SetParent(form);
        button->SetBounds(10, 10, size, size);
        return button;
    };
    TForm* used = NewForm(60, 60);
    used->SetColor(clRed);
    TSkinRoundButton* button = newButton(used, 20);
    used->Show();
    EXPECT_EQ(render(used, button)[0], static_cast<COLORREF>(clRed));
    const struct {
        TColor under;
        int size;
    } steps[] = {{clBlue, 20}, {clBlue, 30}, {clYellow, 16}, {clYellow, 16}};
    for (const auto& step : steps) {
        used->SetColor(step.under);
        button->SetBounds(10, 10, step.size, step.size);
        TForm* fresh = NewForm(60, 60);
        fresh->SetColor(step.under);
        TSkinRoundButton* first = newButton(fresh, step.size);
        fresh->Show();
        const auto expected = render(fresh, first);
        EXPECT_EQ(expected[0], static_cast<COLORREF>(step.under));
        EXPECT_EQ(render(used, button), expected) << step.size;
        delete fresh;
    }
    delete used;
}

TEST_F(SkinRoundButtonTest, ThePressFollowsTheMouseInAndOutUntilRelease) {
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 10, 10);
    EXPECT_TRUE(button->Pressed());
    Send(WM_MOUSEMOVE, MK_LBUTTON, 19, 19);
    EXPECT_FALSE(button->Pressed());
    Send(WM_MOUSEMOVE, MK_LBUTTON, 9, 9);
    EXPECT_TRUE(button->Pressed());
    Send(WM_MOUSEMOVE, MK_LBUTTON, 0, 0);
    Send(WM_LBUTTONUP, 0, 0, 0);
    EXPECT_EQ(clicks, 0);  // released outside

    Send(WM_LBUTTONDOWN, MK_LBUTTON, 10, 10);
    Send(WM_LBUTTONUP, 0, 10, 10);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(button->Pressed());

    // Disabled in the middle of a press: the face comes up and stays up.
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 10, 10);
    button->SetEnabled(false);
    EXPECT_FALSE(button->Pressed());
    Send(WM_MOUSEMOVE, MK_LBUTTON, 19, 19);
    Send(WM_MOUSEMOVE, MK_LBUTTON, 9, 9);
    EXPECT_FALSE(button->Pressed());
    Send(WM_LBUTTONUP, 0, 10, 10);
    EXPECT_EQ(clicks, 1);

    Send(WM_LBUTTONDOWN, MK_LBUTTON, 10, 10);
    EXPECT_FALSE(button->Pressed());
    Send(WM_MOUSEMOVE, MK_LBUTTON, 9, 9);
    EXPECT_FALSE(button->Pressed());
    Send(WM_LBUTTONUP, 0, 10, 10);
    EXPECT_EQ(clicks, 1);
}

TEST(SkinControls, SnapshotOfTheFamilyInItsStates) {
    TForm* form = NewForm(560, 330);
    form->SetColor(HexColor(0x303848));
    // Owned by the form, as on a form read from its resource.
    auto& doppel = *new TSkinBackground(form);
    auto& inner = *new TSkinBackground(form);
    auto& circle = *new TSkinBackground(form);
    doppel.Gradient.SetFillStyle(GradientStyle::HorizontalDoppelBar);
    inner.Gradient.SetBeginColor(clGrayText);
    inner.Gradient.SetEndColor(clBlack);
    circle.Gradient.SetFillStyle(GradientStyle::Circle);

    auto* panel = new TSkinPanel(form);
    panel->SetParent(form);
    panel->SetBounds(10, 10, 514, 142);
    panel->Background.Set(&doppel);
    panel->FrameInner.SetFrameStyle(TFrameStyle::frameFramedDown);
    auto* innerPanel = new TSkinPanel(form);
    innerPanel->SetParent(panel);
    innerPanel->SetBounds(9, 9, 496, 123);
    innerPanel->Background.Set(&inner);
    innerPanel->FrameInner.SetFrameStyle(TFrameStyle::framePanelDown);
    innerPanel->SetCaption("An explanation panel");
    innerPanel->Font.SetColor(clWhite);
    innerPanel->Font3D.SetHighlight(clBlack);

    auto* status = new TSkinLabel(form);
    status->SetParent(form);
    status->SetBounds(10, 160, 250, 30);
    status->Alignment = TAlignment::Center;
    status->WordWrap = true;
    status->Font.SetStyle(fsBold);
    status->Font.SetColor(clNavy);
    status->SetCaption("Status line: preparing the values");
    auto* raised = new TSkinLabel(form);
    raised->SetParent(form);
    raised->SetBounds(270, 160, 250, 30);
    raised->Transparent = false;
    raised->SetColor(clBlack);
    raised->Alignment = TAlignment::Center;
    raised->Font.SetColor(HexColor(0xFFFBBF));
    raised->Font.SetStyle(fsBold);
    raised->Font3D.SetStyle3D(TStyle3D::fontRaised);
    raised->Font3D.SetHighlight(clBlue);
    raised->Font3D.SetShadow(clNavy);
    raised->Frame.SetFrameStyle(TFrameStyle::frameLowered);
    raised->SetCaption("Raised on black");
    auto* filled = new TSkinLabel(form);
    filled->SetParent(form);
    filled->SetBounds(10, 195, 250, 30);
    filled->Font.SetHeight(-24);
    filled->Font.SetStyle(fsBold);
    filled->FontBackground.Set(&doppel);
    filled->SetCaption("Filled letters");
    auto* disabled = new TSkinLabel(form);
    disabled->SetParent(form);
    disabled->SetBounds(270, 195, 250, 30);
    disabled->SetEnabled(false);
    disabled->SetCaption("A disabled label");

    for (int i = 0; i < 2; ++i) {
        auto* box = new TSkinCheckBox(form);
        box->SetParent(form);
        box->SetBounds(10, 235 + i * 26, 250, 22);
        box->SetAsButton(i == 0);
        box->SetButtonSunk(false);
        box->SetColor(HexColor(0xA8A8A8));
        box->Font.SetColor(clNavy);
        box->Font3D.SetHighlight(clWhite);
        box->Font3D.SetShadow(clBlack);
        box->SetCaption(i == 0 ? "Check box as a button" : "Check box with its mark");
        box->SetChecked(i == 1);
    }

    TBitmap glyph;
    ASSERT_TRUE(glyph.LoadFromResource(resources::GlyphClose));
    const struct {
        bool enabled, pressed, withGlyph;
    } looks[] = {
        {true, false, true}, {true, true, true}, {false, false, true}, {true, false, false}, {false, false, false}};
    int x = 280;
    for (const auto& look : looks) {
        auto* round = new TSkinRoundButton(form);
        round->SetParent(form);
        round->SetBounds(x, 240, 20, 20);
        if (look.withGlyph)
            round->Glyph.SetBitmap(glyph);
        else
            round->Background.Set(&circle);
        round->Glyph.SetTransparentColor(clWhite);
        if (look.pressed) round->MouseDown(TMouseButton::Left, ssLeft, 10, 10);
        round->SetEnabled(look.enabled);
        x += 30;
    }
    auto* inset = new TSkinRoundButton(form);
    inset->SetParent(form);
    inset->SetBounds(x, 240, 20, 20);
    inset->SetButtonType(TButtonType::btInset);
    inset->Glyph.SetBitmap(glyph);
    inset->Glyph.SetTransparentColor(clWhite);

    TBitmap picture;
    ReadBack(form, picture);
    SaveSnapshot(picture, "skin_controls");
    // The label keeps a free row at top and bottom inside frameNone.
    EXPECT_EQ(status->TextRect().top, 1);
    EXPECT_EQ(status->TextRect().bottom, 29);
    delete form;
}

}  // namespace
}  // namespace brisbolt
