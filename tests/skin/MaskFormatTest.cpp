// The stored outline format, and the shipped masks against their skins.
#include <gtest/gtest.h>

#include "skin/MaskData.h"

#include <fstream>
#include <iterator>
#include <string>

namespace brisbolt {
namespace {

std::vector<std::uint8_t> ReadFile(const std::string& name) {
    std::ifstream in(std::string(FIXTURE_DIR) + "/../../resources/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t Le(const std::vector<std::uint8_t>& b, size_t at, int bytes = 4) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | b.at(at + i);
    return v;
}

// Just enough of BMP for the skins: bottom-up, 8 or 24 bits, no compression.
struct Picture {
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels;  // 0x00BBGGRR
    std::uint32_t At(int x, int y) const { return pixels[size_t(y) * width + x]; }
};

Picture ReadBmp(const std::vector<std::uint8_t>& b) {
    Picture p;
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') return p;
    size_t offset = Le(b, 10), header = Le(b, 14);
    p.width = int(Le(b, 18));
    p.height = int(Le(b, 22));
    int bits = int(Le(b, 28, 2));
    size_t stride = (size_t(p.width) * bits / 8 + 3) & ~size_t(3);
    for (int y = 0; y < p.height; ++y) {
        size_t row = offset + size_t(p.height - 1 - y) * stride;
        for (int x = 0; x < p.width; ++x) {
            size_t at = bits == 8 ? 14 + header + 4 * size_t(b.at(row + x)) : row + 3 * size_t(x);
            p.pixels.push_back(b.at(at + 2) | (b.at(at + 1) << 8) | (b.at(at) << 16));
        }
    }
    return p;
}

TEST(MaskFormat, ShippedMasksRoundTripAndMatchTheirSkins) {
    struct Case {
        const char* skin;
        const char* mask;
        size_t bytes, rects;
        MaskRect bounds;
        MaskRect firstRect;
    } cases[] = {
        {"skins/Wizard.bmp", "masks/Wizard.msk", 1044, 63, {1, 1, 599, 227}, {77, 1, 105, 2}},
        {"skins/Automatic.bmp", "masks/Automatic.msk", 1044, 63, {1, 1, 599, 459}, {77, 1, 105, 2}},
        {"skins/Advanced.bmp", "masks/Advanced.msk", 1044, 63, {1, 1, 599, 459}, {77, 1, 105, 2}},
        {"skins/Apply.bmp", "masks/Apply.msk", 708, 42, {1, 1, 330, 181}, {77, 1, 105, 2}},
        {"skins/About.bmp", "masks/About.msk", 708, 42, {1, 1, 330, 181}, {77, 1, 105, 2}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mask);
        auto stored = ReadFile(c.mask);
        ASSERT_EQ(stored.size(), c.bytes);
        EXPECT_EQ(Le(stored, 0), c.bytes - 4);
        auto outline = ReadMaskData(stored);
        ASSERT_TRUE(outline);
        EXPECT_EQ(outline->rects.size(), c.rects);
        EXPECT_EQ(outline->bounds, c.bounds);
        EXPECT_EQ(outline->rects.front(), c.firstRect);
        EXPECT_EQ(WriteMaskData(outline), stored);

        Picture skin = ReadBmp(ReadFile(c.skin));
        ASSERT_GT(skin.width, 0);
        auto derived = MaskFromPicture(
            skin.width, skin.height, [&](int x, int y) { return skin.At(x, y); }, skin.At(0, 0));
        EXPECT_EQ(derived, *outline);
    }
}

TEST(MaskFormat, EmptyOutlineIsFourZeroBytes) {
    std::vector<std::uint8_t> zero{0, 0, 0, 0};
    EXPECT_EQ(WriteMaskData(std::nullopt), zero);
    EXPECT_FALSE(ReadMaskData(zero));
    EXPECT_FALSE(ReadMaskData(std::vector<std::uint8_t>{0xFF, 0xFF, 0xFF, 0xFF, 1, 2, 3}));
}

TEST(MaskFormat, DamagedMasksGiveNoOutline) {
    RegionRects two{{{1, 1, 5, 2}, {0, 2, 6, 4}}, {0, 1, 6, 4}};
    const std::vector<std::uint8_t> good = WriteMaskData(two);
    ASSERT_EQ(good.size(), 4u + 32 + 32);
    ASSERT_EQ(ReadMaskData(good), two);

    auto patched = [&](size_t at, std::uint8_t value) {
        auto b = good;
        b[at] = value;
        return b;
    };
    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
    } cases[] = {
        {"N beyond the data", patched(0, 68 + 16)},
        {"N short of the rectangles", patched(0, 68 - 16)},
        {"count larger than N", patched(4 + 8, 3)},
        {"count smaller than N", patched(4 + 8, 1)},
        {"negative count", patched(4 + 11, 0x80)},
        {"header size 40", patched(4, 40)},
        {"region type 2", patched(4 + 4, 2)},
        {"list size disagrees", patched(4 + 12, 48)},
        {"truncated", std::vector<std::uint8_t>(good.begin(), good.end() - 1)},
        {"shorter than N", std::vector<std::uint8_t>(good.begin(), good.begin() + 3)},
        {"header cut", {20, 0, 0, 0, 32, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    };
    for (const auto& c : cases) EXPECT_FALSE(ReadMaskData(c.bytes)) << c.what;

    // Bytes after the N are not part of the mask; a list size of 0 is allowed.
    auto longer = good;
    longer.push_back(0xAB);
    EXPECT_EQ(ReadMaskData(longer), two);
    EXPECT_EQ(ReadMaskData(patched(4 + 12, 0)), two);
}

TEST(MaskFormat, PictureRowsBecomeBands) {
    // . = transparent; rows 1 and 2 share their runs and become one band.
    const char* rows[] = {
        "......", ".##.#.", ".##.#.", "..###.", "......",
    };
    auto outline = MaskFromPicture(
        6, 5, [&](int x, int y) { return rows[y][x] == '#' ? 1u : 0u; }, 0);
    EXPECT_EQ(outline.rects, (std::vector<MaskRect>{{1, 1, 3, 3}, {4, 1, 5, 3}, {2, 3, 5, 4}}));
    EXPECT_EQ(outline.bounds, (MaskRect{1, 1, 5, 4}));
    EXPECT_EQ(ParseRegionData(RegionDataBytes(outline)), outline);
    auto none = MaskFromPicture(
        3, 3, [](int, int) { return 7u; }, 7);
    EXPECT_TRUE(none.rects.empty());
    EXPECT_EQ(WriteMaskData(none).size(), 36u);
}

}  // namespace
}  // namespace brisbolt
