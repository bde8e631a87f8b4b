// The hint bubble on the virtual display: one instance only, the window's
// size and place beside the cursor, the bubble's edge and shadow, and the
// control its direction handler is given.
#include "skin/SkinHint.h"
#include "skin/SkinHintWindow.h"

#include "SkinWineSupport.h"
#include "runtime/StdControls.h"
#include "skin/HintPlacement.h"
#include "skin/SkinDraw.h"

namespace brisbolt {
namespace {

using namespace skintest;

TEST(SkinHint, ASecondInstanceRaisesItsErrorAndTheFirstStays) {
    TSkinHint first(nullptr);
    try {
        TSkinHint second(nullptr);
        ADD_FAILURE() << "no exception";
    } catch (const TSkinHintDuplicateError& e) {
        EXPECT_STREQ(e.what(),
                     "You can have one and ONLY ONE\r\nTSkinHint Component\r\n in a project and it must be on the "
                     "Mainform");
    }
    EXPECT_EQ(TSkinHint::Instance(), &first);
    EXPECT_NE(dynamic_cast<TSkinHintWindow*>(Application->HintWindowClass().get()), nullptr);
    EXPECT_EQ(Application->HintPause, 600);
}

class HintBubbleTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Something to see through the bubble.
        backdrop = NewForm(1024, 768, 0, 0);
        backdrop->SetColor(HexColor(0x4060A0));
        backdrop->Show();
        Application->ProcessMessages();
    }
    void TearDown() override { delete backdrop; }

    std::unique_ptr<THintWindow> ShowAt(int x, int y, const std::string& text) {
        SetCursorPos(x, y);
        auto window = Application->HintWindowClass();
        measured = window->CalcHintRect(300, text);
        window->ActivateHint(measured, text);
        return window;
    }

    TForm* backdrop = nullptr;
    RECT measured{};
};

TEST_F(HintBubbleTest, TheBubbleOpensBesideTheCursorAndFallsBackAtTheEdges) {
    TSkinHint hint(nullptr);
    struct Case {
        POINT cursor;
        THintDirection expected;
    } cases[] = {{{400, 400}, THintDirection::dUpRight},
                 {{1010, 400}, THintDirection::dUpLeft},
                 {{400, 10}, THintDirection::dDownRight}};
    for (const Case& c : cases) {
        auto window = ShowAt(c.cursor.x, c.cursor.y, "A hint");
        POINT cursor;
        GetCursorPos(&cursor);
        auto* skinned = static_cast<TSkinHintWindow*>(window.get());
        RECT placed;
        GetWindowRect(window->Handle(), &placed);
        const int w = measured.right - measured.left, h = measured.bottom - measured.top;
        const bool up = IsUpDirection(skinned->Direction());
        EXPECT_EQ(skinned->Direction(), c.expected) << c.cursor.x << "," << c.cursor.y;
        EXPECT_EQ(placed.right - placed.left, w + 16);
        EXPECT_EQ(placed.bottom - placed.top, h + (up ? 20 : 29));
        const HintPlacement expected = PlaceHint(hint.HintDirection, cursor.x, cursor.y, w, h, 1024, 768);
        EXPECT_EQ(placed.left, expected.left);
        EXPECT_EQ(placed.top, expected.top);
    }
}

TEST_F(HintBubbleTest, TheBubbleHasAWhiteAndBlackEdgeAndADottedShadow) {
    TSkinHint hint(nullptr);
    auto window = ShowAt(400, 400, "Speeds up your connection");
    const TBitmap& picture = static_cast<TSkinHintWindow*>(window.get())->Picture();
    const int w = picture.Width(), h = picture.Height();
    const COLORREF screen = ColorRef(HexColor(0x4060A0));
    EXPECT_EQ(PixelAt(picture, 3, 0), RGB(255, 255, 255));       // top edge
    EXPECT_EQ(PixelAt(picture, 0, 5), RGB(255, 255, 255));       // left edge
    EXPECT_EQ(PixelAt(picture, w - 7, 5), RGB(0, 0, 0));         // right edge
    EXPECT_EQ(PixelAt(picture, 3, h - 15), RGB(0, 0, 0));        // bottom edge
    EXPECT_EQ(PixelAt(picture, w - 10, 3), RGB(255, 255, 255));  // white interior, no text there
    // Shadow dots right of the bubble on even x + y, the screen between them.
    const int y = 20, x = (w - 4) - ((w - 4 + y) % 2);
    EXPECT_EQ(PixelAt(picture, x, y), RGB(0, 0, 0));
    EXPECT_EQ(PixelAt(picture, x + 1, y), screen);
    EXPECT_EQ(PixelAt(picture, w - 1, 2), screen);  // above the shadow
    EXPECT_EQ(PixelAt(picture, 2, h - 2), screen);  // left of the shadow
    SaveSnapshot(picture, "hint_bubble");
    // Each bubble copies the screen behind it: the one before must be gone
    // and the backdrop painted again, or the next picture depends on how far
    // the display has got.
    auto uncover = [&](std::unique_ptr<THintWindow>& shown) {
        shown.reset();
        Application->ProcessMessages();
        RedrawWindow(backdrop->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    };
    uncover(window);

    hint.Speechbubble = true;
    auto bubble = ShowAt(400, 400, "With a speech-bubble tail");
    SaveSnapshot(static_cast<TSkinHintWindow*>(bubble.get())->Picture(), "hint_bubble_speech");
    uncover(bubble);
    hint.OnSelectHintDirection = [](TControl*, THintDirection& d) { d = THintDirection::dDownLeft; };
    auto below = ShowAt(400, 400, "Below and to the left");
    EXPECT_EQ(static_cast<TSkinHintWindow*>(below.get())->Direction(), THintDirection::dDownLeft);
    SaveSnapshot(static_cast<TSkinHintWindow*>(below.get())->Picture(), "hint_bubble_speech_down");
}

TEST_F(HintBubbleTest, TheDirectionHandlerGetsTheControlUnderTheCursorDisabledOrNot) {
    TSkinHint hint(nullptr);
    const int x0 = 100, y0 = 100;
    TForm* form = NewForm(300, 200, x0, y0);
    auto place = [](TControl* control, TWinControl* parent, int left, int top, int width, int height) {
        control->SetParent(parent);
        control->SetBounds(left, top, width, height);
        return control;
    };
    TControl* enabled = place(new TPanel(form), form, 10, 10, 80, 60);
    auto* disabled = static_cast<TPanel*>(place(new TPanel(form), form, 100, 10, 90, 80));
    TControl* labelInside = place(new TLabel(form), disabled, 5, 5, 30, 20);
    TControl* panelInside = place(new TPanel(form), disabled, 40, 40, 40, 30);
    TControl* hidden = place(new TPanel(form), form, 200, 10, 80, 60);
    TControl* greyLabel = place(new TLabel(form), form, 10, 100, 60, 20);
    // Overlapping windows: the system puts the first made on top.
    TControl* first = place(new TPanel(form), form, 100, 110, 60, 60);
    place(new TPanel(form), form, 130, 140, 60, 50);
    disabled->SetEnabled(false);
    hidden->Hide();
    greyLabel->SetEnabled(false);
    form->Show();
    Application->ProcessMessages();

    TControl* given = nullptr;
    hint.OnSelectHintDirection = [&](TControl* control, THintDirection&) { given = control; };
    struct Case {
        POINT at;  // in the form
        TControl* expected;
        const char* what;
    } cases[] = {
        {{20, 20}, enabled, "enabled panel"},
        {{170, 20}, disabled, "disabled panel"},
        {{110, 20}, labelInside, "label on the disabled panel"},
        {{145, 55}, panelInside, "panel on the disabled panel"},
        {{230, 30}, form, "hidden panel"},
        {{20, 110}, greyLabel, "disabled label"},
        {{140, 150}, first, "overlapping panels"},
        {{250, 150}, form, "bare form"},
        {{-50, -50}, backdrop, "the form behind"},
    };
    for (const Case& c : cases) {
        given = nullptr;
        ShowAt(x0 + c.at.x, y0 + c.at.y, "A hint");
        EXPECT_EQ(given, c.expected) << c.what;
    }
    EXPECT_EQ(FindControl(WindowFromPoint(POINT{x0 + 140, y0 + 150})), first);
    delete form;
}

}  // namespace
}  // namespace brisbolt
