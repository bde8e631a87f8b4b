// The address lookup: the answer that comes without waiting is the one the
// blocking lookup finds, once per lookup, and never after a cancel.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "platform/HostAddress.h"
#include "runtime/Application.h"

using namespace brisbolt;

namespace {

class HostAddressTest : public ::testing::Test {
protected:
    void SetUp() override {
        expected = THostAddress::LookUp();
        if (expected.empty()) GTEST_SKIP() << "this machine's name does not resolve here: no answer to wait for";
        lookup.OnAnswer = [this](TComponent* sender, const std::string& address) {
            EXPECT_EQ(sender, &lookup);
            answers.push_back(address);
        };
    }
    static void Pump(DWORD milliseconds) {
        for (DWORD start = GetTickCount(); GetTickCount() - start < milliseconds; Sleep(10))
            Application->ProcessMessages();
    }
    // Until the answers reach `count` (20 seconds at most), then a little
    // longer for any that should not come.
    void WaitForAnswers(std::size_t count) {
        for (DWORD start = GetTickCount(); answers.size() < count && GetTickCount() - start < 20000; Sleep(10))
            Application->ProcessMessages();
        Pump(300);
    }

    THostAddress lookup{nullptr};
    std::string expected;
    std::vector<std::string> answers;
};

TEST_F(HostAddressTest, TheAnswerIsTheAddressTheBlockingLookupFinds) {
    ASSERT_TRUE(lookup.Start());
    // Asked again while under way: still the one lookup, and one answer.
    EXPECT_TRUE(lookup.Start());
    EXPECT_TRUE(lookup.Busy());
    WaitForAnswers(1);
    EXPECT_EQ(answers, std::vector<std::string>{expected});
    EXPECT_FALSE(lookup.Busy());
    // WinSock was let go after the answer and starts again for the next one.
    ASSERT_TRUE(lookup.Start());
    WaitForAnswers(2);
    EXPECT_EQ(answers, (std::vector<std::string>{expected, expected}));
}

TEST_F(HostAddressTest, ACancelledLookupNeverAnswers) {
    // The answer may be in the queue already: it is not taken for the lookup.
    ASSERT_TRUE(lookup.Start());
    Sleep(200);
    lookup.Cancel();
    EXPECT_FALSE(lookup.Busy());
    // Here a lookup answers within a few milliseconds.
    Pump(1000);
    EXPECT_TRUE(answers.empty());
    ASSERT_TRUE(lookup.Start());
    WaitForAnswers(1);
    EXPECT_EQ(answers, std::vector<std::string>{expected});
}

TEST_F(HostAddressTest, ALookupEndsWithItsOwner) {
    bool answered = false;
    {
        THostAddress owned{nullptr};
        owned.OnAnswer = [&answered](TComponent*, const std::string&) { answered = true; };
        ASSERT_TRUE(owned.Start());
    }
    Pump(1000);
    EXPECT_FALSE(answered);
    EXPECT_EQ(THostAddress::LookUp(), expected);
}

}  // namespace
