// Waves kept with their form: what reaches sndPlaySound, the name rules,
// copying, and that no sound outlives the bytes it plays from.
#include <gtest/gtest.h>

#include <windows.h>
#include <mmsystem.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/WaveHolder.h"
#include "platform/WaveSound.h"

using namespace brisbolt;

namespace {

struct SoundCallRecord {
    const void* sound;
    UINT flags;
};
std::vector<SoundCallRecord> soundCalls;
BOOL soundResult = TRUE;

BOOL WINAPI WatchSound(LPCSTR sound, UINT flags) {
    soundCalls.push_back({sound, flags});
    return soundResult;
}

const std::vector<std::uint8_t> someBytes{'R', 'I', 'F', 'F', 1, 2, 3, 4};

class WaveHolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = SoundCall;
        SoundCall = WatchSound;
        soundCalls.clear();
        soundResult = TRUE;
    }
    void TearDown() override {
        StopAllSound();
        SoundCall = saved_;
    }
    TInternalWave& AddWave(TWaveHolder& holder, const std::vector<std::uint8_t>& bytes = someBytes) {
        auto& wave = holder.Internals().Add();
        wave.ReadFileContents(bytes);
        return wave;
    }

private:
    SoundFunction saved_ = nullptr;
};

}  // namespace

TEST_F(WaveHolderTest, PlayOptionsChooseTheFlags) {
    struct Case {
        bool asynchronous, looped;
        UINT flags;
    };
    const Case cases[] = {{false, false, 6}, {false, true, 6}, {true, false, 7}, {true, true, 15}};
    TWaveHolder holder(nullptr);
    auto& wave = AddWave(holder);
    for (const auto& c : cases) {
        soundCalls.clear();
        wave.Asynchronous = c.asynchronous;
        wave.Looped = c.looped;
        EXPECT_TRUE(holder.PlayInternal(0));
        ASSERT_EQ(soundCalls.size(), 1u);
        EXPECT_EQ(soundCalls[0].flags, c.flags) << c.asynchronous << c.looped;
        EXPECT_EQ(soundCalls[0].sound, wave.FileContents().data()) << "played from the stored bytes";
    }
}

TEST_F(WaveHolderTest, NothingToPlayIsFalseAndSilent) {
    TWaveHolder holder(nullptr);
    AddWave(holder);
    AddWave(holder, {});
    EXPECT_FALSE(holder.PlayInternal(-1));
    EXPECT_FALSE(holder.PlayInternal(2));
    EXPECT_FALSE(holder.PlayInternal(1)) << "an item without bytes";
    EXPECT_TRUE(soundCalls.empty());

    soundResult = FALSE;
    EXPECT_FALSE(holder.PlayInternal(0)) << "the system refused the bytes";
}

TEST_F(WaveHolderTest, TheSystemRefusesBytesThatAreNoWave) {
    // Played synchronously, so the system has looked at the bytes before it
    // answers (an asynchronous request is accepted first, checked later).
    SoundCall = ::sndPlaySoundA;
    TWaveHolder holder(nullptr);
    auto& wave = AddWave(holder, {'n', 'o', 't', ' ', 'a', ' ', 'w', 'a', 'v', 'e', 0, 0});
    wave.Asynchronous = false;
    EXPECT_FALSE(wave.Play());
}

TEST_F(WaveHolderTest, NamesAreAcceptedOnlyWhileLoading) {
    TWaveHolder holder(nullptr);
    auto& wave = AddWave(holder);
    EXPECT_EQ(wave.DisplayName(), "No Wave Stored");
    wave.SetWave("Run time.wav");
    EXPECT_EQ(wave.Wave(), "");

    holder.BeginLoading();
    wave.SetWave("Tick.wav");
    holder.Loaded();
    wave.SetWave("Later.wav");
    EXPECT_EQ(wave.Wave(), "Tick.wav");
    EXPECT_EQ(wave.DisplayName(), "Tick.wav");
}

TEST_F(WaveHolderTest, CopyingWavesAndCollections) {
    TWaveHolder source(nullptr);
    source.BeginLoading();
    auto& tick = AddWave(source);
    tick.SetWave("Tick.wav");
    tick.Asynchronous = false;
    tick.Looped = true;
    source.Loaded();
    auto& ext = source.Externals().Add();
    ext.WavFileName = "C:\\Sounds\\Ding.wav";
    ext.Asynchronous = false;
    ext.Looped = true;

    TWaveHolder copy(nullptr);
    copy.SetInternals(source.Internals());
    copy.SetExternals(source.Externals());
    ASSERT_EQ(copy.Internals().Count(), 1);
    const auto& copied = copy.Internals()[0];
    EXPECT_EQ(copied.Wave(), "Tick.wav") << "the name is copied although the copy is not loading";
    EXPECT_EQ(copied.FileContents(), someBytes);
    EXPECT_NE(copied.FileContents().data(), tick.FileContents().data());
    EXPECT_TRUE(copied.Asynchronous) << "play options are not copied";
    EXPECT_FALSE(copied.Looped);

    const auto& copiedExt = copy.Externals()[0];
    EXPECT_EQ(copiedExt.WavFileName, ext.WavFileName);
    EXPECT_FALSE(copiedExt.Asynchronous);
    EXPECT_TRUE(copiedExt.Looped);
    EXPECT_EQ(copiedExt.DisplayName(), "Ding.wav");
    EXPECT_EQ(copy.Externals().Add().DisplayName(), "No Wave specified");

    EXPECT_EQ(copy.Internals().Owner(), &copy);
    EXPECT_EQ(copy.Externals().Owner(), &copy);
    EXPECT_THROW(copy.Internals()[5], std::out_of_range);
}

TEST_F(WaveHolderTest, AnAsynchronousSoundStopsBeforeItsBytesGo) {
    const SoundCallRecord stop{nullptr, 0};
    {
        auto holder = std::make_unique<TWaveHolder>(nullptr);
        AddWave(*holder);
        AddWave(*holder);
        ASSERT_TRUE(holder->PlayInternal(1));
        holder->Internals().Delete(0);
        EXPECT_EQ(soundCalls.size(), 1u) << "another wave's bytes may go without stopping anything";
        holder.reset();
        ASSERT_EQ(soundCalls.size(), 2u);
        EXPECT_EQ(soundCalls[1].sound, stop.sound);
        EXPECT_EQ(soundCalls[1].flags, stop.flags);
    }
    {
        TWaveHolder holder(nullptr);
        auto& wave = AddWave(holder);
        soundCalls.clear();
        ASSERT_TRUE(wave.Play());
        wave.ReadFileContents(someBytes);
        ASSERT_EQ(soundCalls.size(), 2u) << "new bytes replace the playing ones";
        EXPECT_EQ(soundCalls[1].sound, nullptr);
        EXPECT_EQ(SoundBytesInUse(), nullptr);
    }
    {
        TWaveHolder holder(nullptr);
        auto& wave = AddWave(holder);
        wave.Asynchronous = false;
        soundCalls.clear();
        ASSERT_TRUE(wave.Play());
        holder.Internals().Clear();
        EXPECT_EQ(soundCalls.size(), 1u) << "a synchronous sound has ended already";
    }
    {
        TWaveHolder holder(nullptr);
        AddWave(holder).Looped = true;
        soundCalls.clear();
        ASSERT_TRUE(holder.PlayInternal(0));
        holder.StopSound();
        ASSERT_EQ(soundCalls.size(), 2u);
        EXPECT_EQ(soundCalls[1].sound, nullptr);
        EXPECT_EQ(soundCalls[1].flags, 0u);
    }
}

#ifdef SOURCE_DIR
// The click the program plays: a real, small PCM wave.
TEST(TickWave, IsTheStatedFormat) {
    std::ifstream file(SOURCE_DIR "/resources/Tick.wav", std::ios::binary);
    ASSERT_TRUE(file) << "resources/Tick.wav is missing";
    const std::vector<std::uint8_t> b((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    auto u32 = [&](std::size_t at) { return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | std::uint32_t(b[at + 3]) << 24; };
    auto u16 = [&](std::size_t at) { return unsigned(b[at] | b[at + 1] << 8); };
    ASSERT_EQ(b.size(), 1172u);
    EXPECT_EQ(std::string(b.begin(), b.begin() + 4), "RIFF");
    EXPECT_EQ(u32(4), 1164u);
    EXPECT_EQ(std::string(b.begin() + 8, b.begin() + 16), "WAVEfmt ");
    EXPECT_EQ(u32(16), 16u);
    EXPECT_EQ(u16(20), 1u) << "PCM";
    EXPECT_EQ(u16(22), 1u) << "mono";
    EXPECT_EQ(u32(24), 11025u);
    EXPECT_EQ(u32(28), 11025u) << "bytes per second";
    EXPECT_EQ(u16(32), 1u) << "block align";
    EXPECT_EQ(u16(34), 8u);
    EXPECT_EQ(std::string(b.begin() + 36, b.begin() + 40), "data");
    EXPECT_EQ(u32(40), 1128u);
}
#endif
