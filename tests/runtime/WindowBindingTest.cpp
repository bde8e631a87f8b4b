// Windows tied to their objects: one binding for the program's own windows
// and the native controls it takes over, one way of reporting a handler's
// exception, the owner that unbinds before it destroys, and painting into a
// device context that is not the screen.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "runtime/Application.h"
#include "runtime/Dialogs.h"
#include "runtime/Form.h"
#include "runtime/StdControls.h"

namespace brisbolt {
namespace {

// Throws from its handler on WM_APP and counts what reaches it.
template <typename Base>
class Thrower : public Base {
public:
    using Base::Base;
    int destroys = 0;

protected:
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override {
        if (msg == WM_APP) throw std::runtime_error("the handler failed");
        if (msg == WM_APP + 1) throw 42;
        if (msg == WM_DESTROY) ++destroys;
        return Base::WndProc(msg, wp, lp);
    }
};

class WindowBindingTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = SetDialogHandler([this](DialogKind kind, const std::string& text) {
            reports.push_back(text);
            EXPECT_EQ(kind, DialogKind::Notice);
            return AnswerOk;
        });
        form = CreateForm<Thrower<TForm>>(nullptr);
        form->BorderStyle = TBorderStyle::None;
        form->SetBounds(120, 120, 160, 100);
        box = new Thrower<TCheckBox>(form);
        box->SetParent(form);
        box->SetBounds(10, 10, 100, 20);
        form->Show();
    }
    void TearDown() override {
        delete form;
        SetDialogHandler(saved_);
    }

    Thrower<TForm>* form = nullptr;
    Thrower<TCheckBox>* box = nullptr;
    std::vector<std::string> reports;

private:
    DialogHandler saved_;
};

TEST_F(WindowBindingTest, OwnAndTakenOverWindowsFindTheirObjectAndReportAnEscapedExceptionAlike) {
    const WNDPROC buttonProc = [] {
        WNDCLASSA button{};
        GetClassInfoA(nullptr, "BUTTON", &button);
        return button.lpfnWndProc;
    }();
    ASSERT_NE(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(box->Handle(), GWLP_WNDPROC)), buttonProc);
    EXPECT_EQ(FindTarget(form->Handle()), static_cast<MessageTarget*>(form));
    EXPECT_EQ(FindControl(box->Handle()), box);
    EXPECT_EQ(form->BoundWindow(), form->Handle());

    struct Case {
        HWND window;
        UINT msg;
        const char* report;
    } cases[] = {{form->Handle(), WM_APP, "the handler failed"},
                 {box->Handle(), WM_APP, "the handler failed"},
                 {form->Handle(), WM_APP + 1, "An unexpected error occurred."},
                 {box->Handle(), WM_APP + 1, "An unexpected error occurred."}};
    for (const Case& c : cases) {
        reports.clear();
        SendMessageA(c.window, c.msg, 0, 0);  // returns: nothing crosses the system's frame
        ASSERT_EQ(reports.size(), 1u);
        EXPECT_EQ(reports[0], c.report);
    }
    // The window still works after a report.
    EXPECT_TRUE(IsWindow(box->Handle()));
    SendMessageA(box->Handle(), BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(SendMessageA(box->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);

    // Unbinding gives the native control its own procedure back.
    HWND native = box->Handle();
    UnbindWindow(native);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(native, GWLP_WNDPROC)), buttonProc);
    EXPECT_EQ(FindTarget(native), nullptr);
    EXPECT_EQ(box->BoundWindow(), nullptr);
    DestroyWindow(native);
}

TEST_F(WindowBindingTest, TheOwnerUnbindsThenDestroysAndForgetsAWindowDestroyedWithItsParent) {
    struct Plain final : MessageTarget {
        int destroys = 0;
        LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override {
            if (msg == WM_DESTROY) ++destroys;
            return DefaultProc(msg, wp, lp);
        }
    } target;
    UniqueWindow first(CreateMessageWindow(&target));
    HWND hwnd = first.get();
    ASSERT_TRUE(first);
    UniqueWindow second(std::move(first));
    EXPECT_FALSE(first);
    EXPECT_EQ(second.get(), hwnd);
    second.reset();
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(target.destroys, 0) << "unbound before it was destroyed";
    EXPECT_EQ(target.BoundWindow(), nullptr);

    // A child destroyed with its parent lets go of its window by itself.
    HWND child = box->Handle();
    DestroyWindow(form->Handle());
    EXPECT_FALSE(IsWindow(child));
    EXPECT_FALSE(box->HandleAllocated());
    EXPECT_EQ(box->destroys, 1);
}

TEST_F(WindowBindingTest, AControlsBackgroundBrushIsMadeOncePerColour) {
    ClientDC dc(box->Handle());
    auto brushFor = [&] {
        return reinterpret_cast<HBRUSH>(SendMessageA(form->Handle(), WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc.get()),
                                                     reinterpret_cast<LPARAM>(box->Handle())));
    };
    const HBRUSH first = brushFor();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(brushFor(), first);
    box->SetColor(clYellow);
    const HBRUSH yellow = brushFor();
    EXPECT_NE(yellow, first);
    EXPECT_EQ(GetObjectType(first), 0u) << "the old colour's brush is gone";
    EXPECT_EQ(brushFor(), yellow);
}

TEST_F(WindowBindingTest, AWindowPaintsIntoAnyDeviceContextAsOnTheScreen) {
    form->SetColor(HexColor(0x336699));
    auto* label = new TLabel(form);
    label->SetParent(form);
    label->SetBounds(10, 50, 120, 30);
    label->SetCaption("Printed");
    label->Transparent = false;
    label->SetColor(clYellow);
    Application->ProcessMessages();
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);

    TBitmap printed(160, 100), client(160, 100), screen(160, 100);
    const RECT all{0, 0, 160, 100};
    ::FillRect(printed.DC(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    SendMessageA(form->Handle(), WM_PRINT, reinterpret_cast<WPARAM>(printed.DC()), PRF_CLIENT | PRF_CHILDREN);
    SendMessageA(form->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(client.DC()), PRF_CLIENT);
    {
        ClientDC dc(form->Handle());
        BitBlt(screen.DC(), 0, 0, 160, 100, dc.get(), 0, 0, SRCCOPY);
    }
    int differing = 0, outsideTheBox = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 160; ++x) {
            const bool inBox = x >= 10 && x < 110 && y >= 10 && y < 30;
            if (GetPixel(printed.DC(), x, y) != GetPixel(screen.DC(), x, y)) ++differing;
            if (!inBox && GetPixel(client.DC(), x, y) != GetPixel(screen.DC(), x, y)) ++outsideTheBox;
        }
    EXPECT_EQ(differing, 0) << "the window with its check box, printed";
    EXPECT_EQ(outsideTheBox, 0) << "the client area alone, printed";
    EXPECT_EQ(GetPixel(printed.DC(), 140, 5), static_cast<COLORREF>(ColorToRGB(HexColor(0x336699))));
    EXPECT_EQ(GetPixel(printed.DC(), 125, 60), static_cast<COLORREF>(ColorToRGB(clYellow)));
}

}  // namespace
}  // namespace brisbolt
