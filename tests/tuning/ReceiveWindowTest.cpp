// The receive-window arithmetic: what the group shows for a window found,
// what a choice stores, and the caps of both families.
#include <gtest/gtest.h>

#include "tuning/ReceiveWindow.h"

namespace brisbolt {
namespace {

using C = RwinChoice;

TEST(ReceiveWindowTest, AssumedWindowPerConnectionFamilyAndLine) {
    const struct {
        const char* code;
        bool nineX;
        std::int32_t good, bad;
    } cases[] = {
        {"M", true, 8192, 16384},       {"N", true, 8760, 17520},      {"C", true, 149600, 299200},
        {"D1", true, 32767, 65534},     {"", true, 32767, 65534},      {"m", true, 32767, 65534},
        {"N", false, 8760, 1048575},    {"M", false, 524287, 1048575}, {"C", false, 524287, 1048575},
        {"D3", false, 524287, 1048575},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.code) + (c.nineX ? " 9x" : " NT"));
        EXPECT_EQ(AssumedRwin(c.code, c.nineX, true), c.good);
        EXPECT_EQ(AssumedRwin(c.code, c.nineX, false), c.bad);
    }
    EXPECT_EQ(RwinLimit(true), 65535);
    EXPECT_EQ(RwinLimit(false), 1048575);
}

TEST(ReceiveWindowTest, ShownChoiceForAWindowFound) {
    const struct {
        const char* name;
        RwinShowInput in;
        std::int64_t window;
        std::int32_t mtu;
        bool defaultSelected;
        C choice;
        std::int32_t spin;
    } cases[] = {
        {"none found, 9x dial-up at 576", {-1, "M", true, false, false, false, 576}, 8192, 576, true, C::Manual, 15},
        {"none found, bad line doubles", {-1, "M", true, false, true, false, 576}, 16384, 576, true, C::Manual, 30},
        {"none found, NT LAN at 1500", {-1, "N", false, false, false, false, 1500}, 8760, 1500, true, C::Times6, 0},
        {"none found, NT bad line", {-1, "D1", false, false, true, false, 1500}, 1048575, 1500, true, C::Manual, 113},
        {"ten segments", {14600, "M", false, true, false, false, 1500}, 14600, 1500, false, C::Times10, 0},
        {"four segments", {5840, "M", false, false, false, false, 1500}, 5840, 1500, false, C::Times4, 0},
        {"six, truncated", {10219, "M", false, false, false, false, 1500}, 10219, 1500, false, C::Times6, 0},
        {"eight", {11680, "M", false, false, false, false, 1500}, 11680, 1500, false, C::Times8, 0},
        {"good to bad doubles", {14600, "M", false, false, true, true, 1500}, 29200, 1500, false, C::Manual, 20},
        {"bad to good halves", {29200, "M", false, true, false, true, 1500}, 14600, 1500, false, C::Times10, 0},
        {"no MTU yet counts as 576", {5360, "M", true, false, false, false, 0}, 5360, 576, false, C::Times10, 0},
        {"an MTU without room for a segment too",
         {5360, "M", true, false, false, false, 40},
         5360,
         576,
         false,
         C::Times10,
         0},
        {"negative MTU too", {5360, "M", true, false, false, false, -7}, 5360, 576, false, C::Times10, 0},
        {"zero window: manual at the spin's floor",
         {0, "M", true, false, false, false, 1500},
         0,
         1500,
         false,
         C::Manual,
         1},
        {"minus one segment selects nothing",
         {-1460, "M", true, false, false, false, 1500},
         -1460,
         1500,
         false,
         C::None,
         0},
        {"huge window doubled stays exact",
         {2147483647, "M", false, false, true, true, 1500},
         4294967294LL,
         1500,
         false,
         C::Manual,
         113},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const RwinShown shown = ShowRwinFor(c.in);
        EXPECT_EQ(shown.window, c.window);
        EXPECT_EQ(shown.currentMtu, c.mtu);
        EXPECT_EQ(shown.defaultSelected, c.defaultSelected);
        EXPECT_EQ(shown.choice, c.choice);
        if (c.choice == C::Manual) {
            EXPECT_EQ(shown.spin, c.spin);
        }
    }
}

TEST(ReceiveWindowTest, StoredWindowIsTheMultipleCappedPerFamily) {
    const struct {
        const char* name;
        C selected;
        std::int32_t spin, mtu;
        bool nineX;
        std::int32_t rwin;
        bool capped;
        std::int32_t newSpin;
        C select;
    } cases[] = {
        {"NT, 1500, ten", C::Times10, 60, 1500, false, 14600, false, 0, C::None},
        {"default is four", C::Default, 60, 1500, false, 5840, false, 0, C::None},
        {"nothing selected takes the spin", C::None, 3, 1500, false, 4380, false, 0, C::None},
        {"9x, 65535, four: capped, spin 1, four stays", C::Times4, 60, 65535, true, 65535, true, 1, C::None},
        {"9x, 1500, manual 60: capped at 44", C::Manual, 60, 1500, true, 65535, true, 44, C::None},
        {"NT, 1500, manual 60 fits", C::Manual, 60, 1500, false, 87600, false, 0, C::None},
        {"NT, 17914, manual 113: capped at 58", C::Manual, 113, 17914, false, 1048575, true, 58, C::None},
        {"9x, 8166, ten: capped, eight selected", C::Times10, 60, 8166, true, 65535, true, 8, C::Times8},
        {"9x, 11000, ten: capped at six", C::Times10, 60, 11000, true, 65535, true, 5, C::None},
        {"9x, 10960, eight: capped at six", C::Times8, 60, 10960, true, 65535, true, 6, C::Times6},
        {"9x, 16000, eight: four", C::Times8, 60, 16000, true, 65535, true, 4, C::Times4},
        {"NT, 65535, manual 113: capped at 16", C::Manual, 113, 65535, false, 1048575, true, 16, C::None},
        {"spin out of range is brought in", C::Manual, 500, 576, false, 60568, false, 0, C::None},
        {"MTU without a segment counts as 576", C::Times4, 60, 30, false, 2144, false, 0, C::None},
        {"limit exactly", C::Manual, 1, 65575, true, 65535, false, 0, C::None},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const RwinStored stored = StoreRwinFor(c.selected, c.spin, c.mtu, c.nineX);
        EXPECT_EQ(stored.rwin, c.rwin);
        EXPECT_EQ(stored.capped, c.capped);
        if (c.capped) {
            EXPECT_EQ(stored.spin, c.newSpin);
            EXPECT_EQ(stored.select, c.select);
        }
    }
}

}  // namespace
}  // namespace brisbolt
