// The single-instance guard: the block the first copy leaves, and real
// copies of this test program started side by side.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/SingleInstance.h"
#include "runtime/Application.h"
#include "runtime/Form.h"

using namespace brisbolt;

namespace {

struct Block {
    std::uint32_t instance, window;
};

std::string ProgramPath() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

// Reads the block as any other program could; false when there is none.
bool ReadBlock(const std::string& name, Block& block) {
    HANDLE mapping = OpenFileMappingA(FILE_MAP_READ, FALSE, name.c_str());
    const void* view = mapping ? MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, sizeof block) : nullptr;
    if (view) block = *static_cast<const Block*>(view), UnmapViewOfFile(view);
    if (mapping) CloseHandle(mapping);
    return view;
}

// A starting copy may send to our windows (activation): keep handling them.
DWORD WaitPumping(DWORD count, const HANDLE* handles, DWORD ms) {
    for (DWORD until = GetTickCount() + ms;;) {
        const DWORD left = GetTickCount() < until ? until - GetTickCount() : 0;
        const DWORD r = MsgWaitForMultipleObjects(count, handles, FALSE, left, QS_ALLINPUT);
        if (r != WAIT_OBJECT_0 + count) return r;
        Application->ProcessMessages();
    }
}

constexpr DWORD Stayed = 10, SawEarlier = 11, Ended = 12;

}  // namespace

TEST(SingleInstanceTest, OneGuardPerProcessFindsTheFormUpTheChain) {
    const std::string name = ProgramPath().substr(ProgramPath().find_last_of('\\') + 1);
    TForm form(nullptr);
    {
        TComponent helper(&form);
        TSingleInstance guard(&helper);
        EXPECT_THROW(TSingleInstance second(&helper), EAssertionFailed);
        EXPECT_EQ(helper.Components().size(), 1u);
        guard.Loaded();
        Block block{};
        ASSERT_TRUE(ReadBlock(name, block));
        // Both kept as 32 bits, also in a 64-bit program (window handles
        // are 32-bit values there too).
        EXPECT_EQ(block.instance,
                  static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(GetModuleHandleA(nullptr))));
        EXPECT_EQ(block.window, static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(form.Handle())));
    }
    Block block{};
    EXPECT_FALSE(ReadBlock(name, block)) << "the block goes with the last copy";
}

// The body of the copies started below; does nothing on its own.
TEST(SingleInstanceProbe, DISABLED_Copy) {
    const char* mode = std::getenv("BRISBOLT_INSTANCE_PROBE");
    if (!mode) GTEST_SKIP();
    TForm form(nullptr);
    TSingleInstance guard(&form);
    if (std::string(mode) == "handler")
        guard.OnAlreadyRunning = [](TComponent*, std::uint32_t, HWND) { ExitProcess(SawEarlier); };
    guard.Loaded();
    if (Application->Terminated()) ExitProcess(Ended);
    HANDLE stop = CreateEventA(nullptr, TRUE, FALSE, "BrisboltProbeStop");
    WaitPumping(1, &stop, 30000);
    ExitProcess(Stayed);
}

namespace {

struct RacingCopies : ::testing::Test {
    void SetUp() override {
        stop = CreateEventA(nullptr, TRUE, FALSE, "BrisboltProbeStop");
        const std::string program = ProgramPath();
        folder = program.substr(0, program.find_last_of('\\') + 1) + "instance-copies\\";
        CreateDirectoryA(folder.c_str(), nullptr);
        CreateDirectoryA((folder + "other").c_str(), nullptr);
        for (const char* copy : {"probe_a.exe", "probe_b.exe", "other\\probe_a.exe"})
            ASSERT_TRUE(CopyFileA(program.c_str(), (folder + copy).c_str(), FALSE));
    }
    void TearDown() override {
        SetEvent(stop);
        for (HANDLE p : started)
            if (WaitPumping(1, &p, 5000) != WAIT_OBJECT_0) TerminateProcess(p, 1);
        CloseHandle(stop);
    }
    // Starts copies together, so that they really race.
    std::vector<HANDLE> Start(std::vector<std::string> copies, const char* mode) {
        SetEnvironmentVariableA("BRISBOLT_INSTANCE_PROBE", mode);
        std::vector<HANDLE> threads, processes;
        for (const auto& copy : copies) {
            std::string command =
                "\"" + folder + copy + "\" --gtest_also_run_disabled_tests --gtest_filter=SingleInstanceProbe.*";
            STARTUPINFOA si{};
            si.cb = sizeof si;
            si.dwFlags = STARTF_USESTDHANDLES;  // no output of theirs in ours
            PROCESS_INFORMATION pi{};
            EXPECT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                                       folder.c_str(), &si, &pi));
            threads.push_back(pi.hThread), processes.push_back(pi.hProcess), started.push_back(pi.hProcess);
        }
        SetEnvironmentVariableA("BRISBOLT_INSTANCE_PROBE", nullptr);
        for (HANDLE t : threads) ResumeThread(t), CloseHandle(t);
        return processes;
    }
    static DWORD ExitCode(HANDLE process, DWORD wait) {
        DWORD code = STILL_ACTIVE;
        if (WaitPumping(1, &process, wait) == WAIT_OBJECT_0) GetExitCodeProcess(process, &code);
        return code;
    }
    std::string folder;
    HANDLE stop = nullptr;
    std::vector<HANDLE> started;
};

}  // namespace

TEST_F(RacingCopies, ExactlyOneOfTwoCopiesStartedAtOnceStays) {
    const auto both = Start({"probe_a.exe", "probe_a.exe"}, "handler");
    const DWORD first = WaitPumping(2, both.data(), 30000) - WAIT_OBJECT_0;
    ASSERT_LT(first, 2u) << "neither copy noticed the other";
    EXPECT_EQ(ExitCode(both[first], 0), SawEarlier);
    EXPECT_EQ(ExitCode(both[1 - first], 1000), STILL_ACTIVE) << "the first copy is undisturbed";
    SetEvent(stop);
    EXPECT_EQ(ExitCode(both[1 - first], 10000), Stayed);
}

TEST_F(RacingCopies, TheFileNameDecides) {
    const HANDLE first = Start({"probe_a.exe"}, "handler")[0];
    Block block{};
    for (int i = 0; i < 200 && !(ReadBlock("probe_a.exe", block) && block.window); ++i) WaitPumping(0, nullptr, 50);
    DWORD owner = 0;
    GetWindowThreadProcessId(reinterpret_cast<HWND>(static_cast<std::uintptr_t>(block.window)), &owner);
    EXPECT_EQ(owner, GetProcessId(first)) << "the block names the first copy's form";

    EXPECT_EQ(ExitCode(Start({"other\\probe_a.exe"}, "handler")[0], 30000), SawEarlier) << "same name elsewhere";
    EXPECT_EQ(ExitCode(Start({"probe_a.exe"}, "plain")[0], 30000), Ended) << "no handler: it ends itself";
    EXPECT_EQ(ExitCode(Start({"probe_b.exe"}, "handler")[0], 2000), STILL_ACTIVE) << "another name";
    EXPECT_EQ(ExitCode(first, 0), STILL_ACTIVE);
}
