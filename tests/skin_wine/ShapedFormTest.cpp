// The shaped window under real windows: the outline from a stored mask,
// the form sized to its picture, dragging with the left button alone.
#include "skin/ShapedForm.h"

#include "SkinWineSupport.h"
#include "resources/ResourceNames.h"
#include "runtime/StdControls.h"

namespace brisbolt {
namespace {

using namespace skintest;

class ShapedFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        form = NewForm(100, 100, 60, 60);
        shaped = new TShapedForm(form);
        shaped->SetParent(form);
        shaped->OnMouseMove = [this](TComponent*, TShiftState, int, int) { ++moves; };
        ASSERT_TRUE(shaped->LoadPictureFromResource(resources::SkinAbout));
        stored = ResourceBytes(resources::MaskAbout);
        shaped->Mask().ReadData(stored);
        shaped->Loaded();  // applies the outline, as after reading a form
        form->Show();
    }
    void TearDown() override { delete form; }

    POINT FormAt() const { return POINT{form->Left(), form->Top()}; }
    void Drag(WPARAM keys, int dx, int dy) {
        SendMessageA(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(100, 100));
        SendMessageA(form->Handle(), WM_MOUSEMOVE, keys, At(100 + dx, 100 + dy));
        SendMessageA(form->Handle(), WM_LBUTTONUP, 0, At(100 + dx, 100 + dy));
    }

    TForm* form = nullptr;
    TShapedForm* shaped = nullptr;
    std::vector<std::uint8_t> stored;
    int moves = 0;
};

TEST_F(ShapedFormTest, TheFormTakesThePicturesSizeAndTheMasksOutline) {
    RECT client;
    GetClientRect(form->Handle(), &client);
    EXPECT_EQ(client.right, 331);
    EXPECT_EQ(client.bottom, 182);
    EXPECT_EQ(GetWindowLongA(form->Handle(), GWL_STYLE) & WS_CAPTION, 0);
    // A name that holds no picture leaves the one there.
    EXPECT_FALSE(shaped->LoadPictureFromResource("NoSuchPicture"));
    EXPECT_EQ(shaped->Picture.Width(), 331);

    UniqueRegion outline(CreateRectRgn(0, 0, 0, 0));
    ASSERT_EQ(GetWindowRgn(form->Handle(), outline.get()), COMPLEXREGION);
    EXPECT_FALSE(PtInRegion(outline.get(), 0, 0));
    EXPECT_FALSE(PtInRegion(outline.get(), 5, 5));  // left of the hump
    EXPECT_TRUE(PtInRegion(outline.get(), 90, 1));  // the hump's first band
    EXPECT_TRUE(PtInRegion(outline.get(), 165, 90));
    // The window system agrees: the cut corner belongs to what lies beneath.
    EXPECT_NE(WindowFromPoint(POINT{form->Left() + 2, form->Top() + 2}), form->Handle());
    EXPECT_EQ(WindowFromPoint(POINT{form->Left() + 165, form->Top() + 90}), form->Handle());

    // The outline writes back exactly as it was stored.
    EXPECT_EQ(shaped->Mask().WriteData(), stored);
    TBitmap picture;
    ReadBack(form, picture);
    SaveSnapshot(picture, "shaped_form_about");
}

TEST_F(ShapedFormTest, AnEmptyOrBrokenMaskLeavesTheWindowRectangular) {
    const std::vector<std::uint8_t> none{0, 0, 0, 0};
    // N claims more bytes than follow.
    std::vector<std::uint8_t> shortData = stored;
    shortData.resize(200);
    for (const auto& data : {none, shortData}) {
        shaped->Mask().ReadData(data);
        shaped->ApplyMask();
        UniqueRegion outline(CreateRectRgn(0, 0, 0, 0));
        EXPECT_EQ(GetWindowRgn(form->Handle(), outline.get()), ERROR);
        EXPECT_EQ(shaped->Mask().WriteData(), none);
    }
}

TEST_F(ShapedFormTest, OnlyTheLeftButtonAloneDragsTheForm) {
    const POINT start = FormAt();
    Drag(MK_LBUTTON, 10, 5);
    EXPECT_EQ(FormAt().x, start.x + 10);
    EXPECT_EQ(FormAt().y, start.y + 5);
    RECT window;
    GetWindowRect(form->Handle(), &window);
    EXPECT_EQ(window.left, start.x + 10);

    const POINT moved = FormAt();
    moves = 0;
    for (WPARAM keys : {WPARAM(MK_RBUTTON), WPARAM(MK_LBUTTON | MK_RBUTTON), WPARAM(MK_LBUTTON | MK_SHIFT),
                        WPARAM(MK_LBUTTON | MK_CONTROL), WPARAM(MK_LBUTTON | MK_MBUTTON)}) {
        Drag(keys, 7, 7);
        EXPECT_EQ(FormAt().x, moved.x) << keys;
        EXPECT_EQ(FormAt().y, moved.y) << keys;
    }
    EXPECT_EQ(moves, 5);  // the event still fires

    shaped->Moveable = false;
    Drag(MK_LBUTTON, 10, 5);
    EXPECT_EQ(FormAt().x, moved.x);
}

TEST(ShapedFormParent, AnythingButAFormIsRefused) {
    TForm* form = NewForm(100, 100);
    auto* panel = new TPanel(form);
    panel->SetParent(form);
    auto* shaped = new TShapedForm(form);
    try {
        shaped->SetParent(panel);
        ADD_FAILURE() << "no exception";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "Please Drop on a Form");
    }
    delete form;
}

}  // namespace
}  // namespace brisbolt
