// Waves kept with their form: what reaches sndPlaySound, and that no sound
// outlives the bytes it plays from.
#include <gtest/gtest.h>

#include <windows.h>
#include <mmsystem.h>

#include <fstream>
#include <iterator>
#include <vector>

#include "platform/WaveHolder.h"
#include "platform/WaveSound.h"

using namespace brisbolt;

namespace {

std::vector<std::pair<const void*, UINT>> played;
BOOL WINAPI Watch(LPCSTR sound, UINT flags) {
    played.emplace_back(sound, flags);
    return TRUE;
}
const std::vector<std::uint8_t> bytes{'R', 'I', 'F', 'F', 1, 2, 3, 4};

struct WaveHolderTest : ::testing::Test {
    void SetUp() override { played.clear(), SoundCall = Watch; }
    void TearDown() override { StopAllSound(), SoundCall = ::sndPlaySoundA; }
};

}  // namespace

TEST_F(WaveHolderTest, PlaysFromTheStoredBytesWithTheChosenFlags) {
    TWaveHolder holder(nullptr);
    auto& wave = holder.Internals().Add();
    holder.Internals().Add();  // no bytes
    wave.ReadFileContents(bytes);
    const struct {
        bool asynchronous, looped;
        UINT flags;
    } cases[] = {{0, 0, 6}, {0, 1, 6}, {1, 0, 7}, {1, 1, 15}};
    for (const auto& c : cases) {
        wave.Asynchronous = c.asynchronous, wave.Looped = c.looped;
        played.clear();
        EXPECT_TRUE(holder.PlayInternal(0));
        EXPECT_EQ(played, (decltype(played){{wave.FileContents().data(), c.flags}}));
    }
    played.clear();
    EXPECT_FALSE(holder.PlayInternal(-1));
    EXPECT_FALSE(holder.PlayInternal(2));
    EXPECT_FALSE(holder.PlayInternal(1));
    EXPECT_TRUE(played.empty());
    // Synchronously, so the system has read the bytes before it answers.
    SoundCall = ::sndPlaySoundA;
    wave.Asynchronous = false;
    wave.ReadFileContents(std::vector<std::uint8_t>{'n', 'o', ' ', 'w', 'a', 'v', 'e', 0});
    EXPECT_FALSE(wave.Play());
}

TEST_F(WaveHolderTest, AnAsynchronousSoundStopsBeforeItsBytesGo) {
    auto holder = std::make_unique<TWaveHolder>(nullptr);
    for (int i = 0; i < 3; ++i) holder->Internals().Add().ReadFileContents(bytes);
    holder->Internals()[0].Asynchronous = false;
    ASSERT_TRUE(holder->PlayInternal(0) && holder->PlayInternal(1));
    holder->Internals().Delete(2);
    EXPECT_EQ(played.size(), 2u) << "bytes nobody plays from go quietly";
    holder->Internals()[1].ReadFileContents(bytes);
    EXPECT_EQ(played.back(), (std::pair<const void*, UINT>{nullptr, 0})) << "new bytes for the playing wave";
    ASSERT_TRUE(holder->PlayInternal(1));
    holder.reset();
    EXPECT_EQ(played.size(), 5u);
    EXPECT_EQ(played.back(), (std::pair<const void*, UINT>{nullptr, 0}));
}

TEST_F(WaveHolderTest, NamesAreTakenOnlyWhileLoadingAndCopiedWithTheBytes) {
    TWaveHolder holder(nullptr), copy(nullptr);
    holder.BeginLoading();
    auto& wave = holder.Internals().Add();
    wave.SetWave("Tick.wav");
    wave.ReadFileContents(bytes);
    wave.Looped = true;
    holder.Loaded();
    wave.SetWave("Later.wav");
    copy.SetInternals(holder.Internals());
    EXPECT_EQ(copy.Internals()[0].Wave(), "Tick.wav");
    EXPECT_EQ(copy.Internals()[0].FileContents(), bytes);
    EXPECT_FALSE(copy.Internals()[0].Looped) << "play options stay behind";
}

TEST(TickWave, IsASmallMonoPcmWave) {
    std::ifstream file(SOURCE_DIR "/resources/Tick.wav", std::ios::binary);
    const std::vector<std::uint8_t> b((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    ASSERT_EQ(b.size(), 1172u);
    auto at = [&](std::size_t i, int n) {
        return n == 2 ? b[i] | b[i + 1] << 8 : b[i] | b[i + 1] << 8 | b[i + 2] << 16;
    };
    EXPECT_EQ(std::string(b.begin(), b.begin() + 16), std::string("RIFF\x8c\x04\0\0WAVEfmt ", 16));
    EXPECT_EQ(at(20, 2), 1) << "PCM";
    EXPECT_EQ(at(22, 2), 1) << "mono";
    EXPECT_EQ(at(24, 4), 11025);
    EXPECT_EQ(at(34, 2), 8);
    EXPECT_EQ(std::string(b.begin() + 36, b.begin() + 40), "data");
    EXPECT_EQ(at(40, 4), 1128);
}
