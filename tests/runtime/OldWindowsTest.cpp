// What keeps the program the same on every Windows from 95 on: the mouse-leave
// notice with and without TrackMouseEvent, the see-through copy made with a
// mask, and the pictures packed into the program.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "resources/ResourceNames.h"
#include "runtime/Application.h"
#include "runtime/Form.h"
#include "runtime/Gzip.h"
#include "runtime/StdControls.h"
#include "runtime/SystemFunctions.h"

namespace brisbolt {
namespace {

// Runs the message loop until the condition holds or the time is up.
template <typename Condition>
bool WaitFor(Condition done, DWORD milliseconds = 2000) {
    const DWORD start = GetTickCount();
    while (!done() && GetTickCount() - start < milliseconds) {
        Application->ProcessMessages();
        Sleep(5);
    }
    return done();
}

TEST(MouseLeave, TheControlUnderTheMouseHearsOfTheLeaveWithOrWithoutTrackMouseEvent) {
    for (const bool timerOnly : {false, true}) {
        SCOPED_TRACE(timerOnly ? "timer" : "TrackMouseEvent");
        UseMouseLeaveTimer(timerOnly);
        auto* form = CreateForm<TForm>(nullptr);
        form->BorderStyle = TBorderStyle::None;
        form->SetBounds(300, 300, 120, 80);
        auto* label = new TLabel(form);
        label->SetParent(form);
        label->SetBounds(10, 10, 60, 30);
        int entered = 0, left = 0;
        label->OnMouseEnter = [&](TComponent*) { ++entered; };
        label->OnMouseLeave = [&](TComponent*) { ++left; };
        form->Show();
        Application->ProcessMessages();

        SetCursorPos(320, 320);
        SendMessageA(form->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(20, 20));
        EXPECT_EQ(entered, 1);
        // Still over the window: no leave, however long we wait.
        EXPECT_FALSE(WaitFor([&] { return left > 0; }, 4 * MouseLeaveInterval));
        SetCursorPos(700, 600);
        EXPECT_TRUE(WaitFor([&] { return left > 0; }));
        EXPECT_EQ(left, 1);
        // Back again: tracking starts anew.
        SetCursorPos(320, 320);
        SendMessageA(form->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(20, 20));
        SetCursorPos(700, 600);
        EXPECT_TRUE(WaitFor([&] { return left > 1; }));
        EXPECT_EQ(entered, 2);
        delete form;
    }
    UseMouseLeaveTimer(false);
}

TEST(TransparentCopy, OnlyTheKeyColourIsLeftOut) {
    const COLORREF key = RGB(0, 255, 0), ground = RGB(10, 20, 30);
    // Key, colours next to the key, black, white and the ground colour itself.
    const COLORREF picture[] = {key, RGB(1, 255, 0), RGB(0, 254, 0), RGB(0, 0, 0), RGB(255, 255, 255), ground, key};
    const int count = static_cast<int>(std::size(picture));
    TBitmap source(count, 1), target(count + 2, 3);
    for (int x = 0; x < count; ++x) ::SetPixelV(source.DC(), x, 0, picture[x]);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < count + 2; ++x) ::SetPixelV(target.DC(), x, y, ground);

    TransparentCopy(target.DC(), 1, 1, count, 1, source.DC(), 0, 0, key);
    for (int x = 0; x < count; ++x)
        EXPECT_EQ(GetPixel(target.DC(), x + 1, 1), picture[x] == key ? ground : picture[x]) << "pixel " << x;
    // Nothing outside the copied rectangle is touched, and the devices keep their colours.
    EXPECT_EQ(GetPixel(target.DC(), 0, 1), ground);
    EXPECT_EQ(GetPixel(target.DC(), count + 1, 1), ground);
    EXPECT_EQ(GetPixel(target.DC(), 3, 0), ground);
    EXPECT_EQ(GetBkColor(source.DC()), GetBkColor(target.DC()));
}

std::vector<std::uint8_t> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

TEST(PackedPictures, EachSkinUnpacksToItsFileAndDamagedDataToNothing) {
    const struct {
        const char* resource;
        const char* file;
    } pictures[] = {{resources::SkinWizard, "skins/Wizard.bmp"},     {resources::SkinAutomatic, "skins/Automatic.bmp"},
                    {resources::SkinAdvanced, "skins/Advanced.bmp"}, {resources::SkinApply, "skins/Apply.bmp"},
                    {resources::SkinAbout, "skins/About.bmp"},       {resources::Logo, "Logo.bmp"}};
    for (const auto& p : pictures) {
        const auto packed = ResourceBytes(p.resource);
        const auto file = ReadFile(std::string(SOURCE_DIR) + "/resources/" + p.file);
        ASSERT_FALSE(file.empty()) << p.file;
        EXPECT_TRUE(IsGzip(packed.data(), packed.size())) << p.resource;
        EXPECT_LT(packed.size() * 2, file.size()) << p.resource;
        EXPECT_EQ(Gunzip(packed.data(), packed.size()), file) << p.resource;
        TBitmap loaded, expected;
        ASSERT_TRUE(loaded.LoadFromResource(p.resource)) << p.resource;
        ASSERT_TRUE(expected.LoadFromBytes(file.data(), file.size()));
        EXPECT_EQ(loaded.Width(), expected.Width());
        EXPECT_EQ(loaded.Height(), expected.Height());
        EXPECT_EQ(GetPixel(loaded.DC(), loaded.Width() / 2, loaded.Height() / 3),
                  GetPixel(expected.DC(), expected.Width() / 2, expected.Height() / 3));
    }

    const auto good = ResourceBytes(resources::SkinApply);
    ASSERT_GT(good.size(), 100u);
    auto flipped = good;
    flipped.at(flipped.size() / 2) ^= 0x55;
    auto wrongSize = good;
    wrongSize.at(wrongSize.size() - 4) ^= 1;  // the stored length
    const std::vector<std::uint8_t> cut(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(good.size() / 2));
    for (const auto& damaged : {flipped, wrongSize, cut}) EXPECT_TRUE(Gunzip(damaged.data(), damaged.size()).empty());
    const std::uint8_t notGzip[] = "BM not packed at all, just text";
    EXPECT_FALSE(IsGzip(notGzip, sizeof notGzip));
    EXPECT_TRUE(Gunzip(notGzip, sizeof notGzip).empty());
}

}  // namespace
}  // namespace brisbolt
