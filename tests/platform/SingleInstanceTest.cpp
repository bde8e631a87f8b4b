// The single-instance guard: the block the first copy leaves, what a later
// copy reads from it, and real copies of this test program racing.
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

std::string FileNamePart(const std::string& path) { return path.substr(path.find_last_of("\\/") + 1); }

// Reads the block named name, as any other program could.
bool ReadBlock(const std::string& name, Block& block) {
    HANDLE mapping = OpenFileMappingA(FILE_MAP_READ, FALSE, name.c_str());
    if (!mapping) return false;
    const void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, sizeof(Block));
    if (view) block = *static_cast<const Block*>(view);
    if (view) UnmapViewOfFile(view);
    CloseHandle(mapping);
    return view != nullptr;
}

// Waits for one of the handles while handling our own messages: a copy
// that starts may send to our windows (activation) and must not hang on us.
DWORD WaitPumping(DWORD count, const HANDLE* handles, DWORD milliseconds) {
    const DWORD until = GetTickCount() + milliseconds;
    for (;;) {
        const DWORD left = static_cast<int>(until - GetTickCount()) > 0 ? until - GetTickCount() : 0;
        const DWORD r = MsgWaitForMultipleObjects(count, handles, FALSE, left, QS_ALLINPUT);
        if (r != WAIT_OBJECT_0 + count) return r;
        Application->ProcessMessages();
    }
}

constexpr int ExitFirst = 10, ExitAlreadyRunning = 11, ExitTerminated = 12;

}  // namespace

TEST(SingleInstanceTest, OneGuardPerProcess) {
    TComponent owner(nullptr);
    auto* first = new TSingleInstance(&owner);
    try {
        new TSingleInstance(&owner);
        FAIL() << "a second guard was created";
    } catch (const EAssertionFailed& e) {
        EXPECT_STREQ(e.what(), "Only one instance of TSingleInstance is allowed");
    }
    EXPECT_EQ(owner.Components().size(), 1u);
    EXPECT_EQ(TSingleInstance::Instance(), first);
    delete first;
    EXPECT_EQ(TSingleInstance::Instance(), nullptr);
    TSingleInstance again(nullptr);
    EXPECT_EQ(TSingleInstance::Instance(), &again);
}

TEST(SingleInstanceTest, FirstCopyLeavesItsHandlesUntilItEnds) {
    const std::string name = FileNamePart(ProgramPath());
    TForm form(nullptr);
    {
        // On a helper component: the form is found further up.
        TComponent helper(&form);
        TSingleInstance guard(&helper);
        bool fired = false;
        guard.OnAlreadyRunning = [&](TComponent*, std::uint32_t, HWND) { fired = true; };
        guard.Loaded();
        Block block{};
        ASSERT_TRUE(ReadBlock(name, block));
        EXPECT_EQ(block.instance, reinterpret_cast<std::uintptr_t>(GetModuleHandleA(nullptr)));
        EXPECT_TRUE(form.HandleAllocated());
        EXPECT_EQ(block.window, reinterpret_cast<std::uintptr_t>(form.Handle()));
        EXPECT_FALSE(fired);
    }
    Block block{};
    EXPECT_FALSE(ReadBlock(name, block)) << "the block goes with its last holder";

    TSingleInstance orphan(nullptr);
    orphan.Loaded();
    ASSERT_TRUE(ReadBlock(name, block));
    EXPECT_EQ(block.window, 0u) << "no form to name";
}

TEST(SingleInstanceTest, LaterCopyGetsTheEarlierOnesHandles) {
    // Stand in for an earlier copy of this very program.
    TForm earlier(nullptr);
    const std::string name = FileNamePart(ProgramPath());
    HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 8, name.c_str());
    ASSERT_NE(mapping, nullptr);
    auto* block = static_cast<Block*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, 8));
    *block = {0x00400000u, static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(earlier.Handle()))};

    {
        TForm form(nullptr);
        TSingleInstance guard(&form);
        int calls = 0;
        guard.OnAlreadyRunning = [&](TComponent* sender, std::uint32_t instance, HWND window) {
            ++calls;
            EXPECT_EQ(sender, &guard);
            EXPECT_EQ(instance, 0x00400000u);
            EXPECT_EQ(window, earlier.Handle());
        };
        guard.Loaded();
        EXPECT_EQ(calls, 1);
        EXPECT_EQ(block->window, reinterpret_cast<std::uintptr_t>(earlier.Handle())) << "nothing is overwritten";
        EXPECT_FALSE(Application->Terminated()) << "the handler decides";
    }
    {
        // Without a handler the earlier copy comes forward and we end.
        earlier.Show();
        SetForegroundWindow(Application->Handle());
        TSingleInstance guard(nullptr);
        guard.Loaded();
        EXPECT_TRUE(Application->Terminated());
        EXPECT_EQ(GetForegroundWindow(), earlier.Handle());
        Application->ResetTerminated();
        MSG msg;
        PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
        earlier.Hide();
    }
    UnmapViewOfFile(block);
    CloseHandle(mapping);
}

// The body of the copies the cases below start; never run on its own.
TEST(SingleInstanceProbe, DISABLED_Copy) {
    const char* mode = std::getenv("BRISBOLT_INSTANCE_PROBE");
    if (!mode) GTEST_SKIP();
    TForm form(nullptr);
    TSingleInstance guard(&form);
    if (std::string(mode) == "handler") {
        guard.OnAlreadyRunning = [](TComponent*, std::uint32_t, HWND) { ExitProcess(ExitAlreadyRunning); };
    }
    guard.Loaded();
    if (Application->Terminated()) ExitProcess(ExitTerminated);
    // First copy: stay until told to go (or for 30 s at most).
    HANDLE stop = CreateEventA(nullptr, TRUE, FALSE, "BrisboltProbeStop");
    const DWORD until = GetTickCount() + 30000;
    while (GetTickCount() < until &&
           MsgWaitForMultipleObjects(1, &stop, FALSE, 100, QS_ALLINPUT) != WAIT_OBJECT_0) {
        Application->ProcessMessages();
    }
    ExitProcess(ExitFirst);
}

namespace {

class RacingCopies : public ::testing::Test {
protected:
    void SetUp() override {
        stop_ = CreateEventA(nullptr, TRUE, FALSE, "BrisboltProbeStop");
        ResetEvent(stop_);
        const std::string program = ProgramPath();
        folder_ = program.substr(0, program.find_last_of("\\/") + 1) + "instance-copies\\";
        CreateDirectoryA(folder_.c_str(), nullptr);
        CreateDirectoryA((folder_ + "other").c_str(), nullptr);
        for (const char* copy : {"brisbolt_probe_a.exe", "brisbolt_probe_b.exe", "other\\brisbolt_probe_a.exe"})
            ASSERT_TRUE(CopyFileA(program.c_str(), (folder_ + copy).c_str(), FALSE)) << copy;
    }
    void TearDown() override {
        SetEvent(stop_);
        for (HANDLE p : started_) {
            if (WaitPumping(1, &p, 5000) != WAIT_OBJECT_0) TerminateProcess(p, 1);
            CloseHandle(p);
        }
        CloseHandle(stop_);
    }

    // Starts a copy suspended; Resume lets it go.
    HANDLE Start(const std::string& copy, const char* mode, DWORD* pid = nullptr) {
        std::string command = "\"" + folder_ + copy +
                              "\" --gtest_also_run_disabled_tests --gtest_filter=SingleInstanceProbe.DISABLED_Copy";
        SetEnvironmentVariableA("BRISBOLT_INSTANCE_PROBE", mode);
        STARTUPINFOA si{};
        si.cb = sizeof si;
        si.dwFlags = STARTF_USESTDHANDLES;
        PROCESS_INFORMATION pi{};
        const BOOL ok = CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                                       folder_.c_str(), &si, &pi);
        SetEnvironmentVariableA("BRISBOLT_INSTANCE_PROBE", nullptr);
        if (!ok) return nullptr;
        CloseHandle(pi.hThread);
        threads_.push_back(pi.dwThreadId);
        if (pid) *pid = pi.dwProcessId;
        started_.push_back(pi.hProcess);
        return pi.hProcess;
    }
    static void Resume(DWORD threadId) {
        HANDLE thread = OpenThread(THREAD_SUSPEND_RESUME, FALSE, threadId);
        ResumeThread(thread);
        CloseHandle(thread);
    }
    static DWORD ExitCode(HANDLE process, DWORD wait) {
        if (WaitPumping(1, &process, wait) != WAIT_OBJECT_0) return STILL_ACTIVE;
        DWORD code = 0;
        GetExitCodeProcess(process, &code);
        return code;
    }
    // Waits until the first copy of name has filled in its block.
    static bool WaitForBlock(const std::string& name, Block& block) {
        for (int i = 0; i < 300; ++i) {
            if (ReadBlock(name, block) && block.window) return true;
            WaitPumping(0, nullptr, 50);
        }
        return false;
    }

    std::string folder_;
    HANDLE stop_ = nullptr;
    std::vector<HANDLE> started_;
    std::vector<DWORD> threads_;
};

}  // namespace

TEST_F(RacingCopies, ExactlyOneOfTwoSimultaneousCopiesStays) {
    HANDLE one = Start("brisbolt_probe_a.exe", "handler");
    HANDLE two = Start("brisbolt_probe_a.exe", "handler");
    ASSERT_TRUE(one && two);
    Resume(threads_[0]);
    Resume(threads_[1]);
    HANDLE both[] = {one, two};
    const DWORD ended = WaitPumping(2, both, 30000);
    ASSERT_LT(ended, WAIT_OBJECT_0 + 2) << "neither copy noticed the other";
    HANDLE loser = both[ended - WAIT_OBJECT_0];
    HANDLE winner = both[1 - (ended - WAIT_OBJECT_0)];
    EXPECT_EQ(ExitCode(loser, 0), static_cast<DWORD>(ExitAlreadyRunning));
    EXPECT_EQ(ExitCode(winner, 1000), STILL_ACTIVE) << "the first copy is undisturbed";
    SetEvent(stop_);
    EXPECT_EQ(ExitCode(winner, 10000), static_cast<DWORD>(ExitFirst));
}

TEST_F(RacingCopies, OnlyTheSameFileNameCounts) {
    DWORD firstPid = 0;
    ASSERT_TRUE(Start("brisbolt_probe_a.exe", "handler", &firstPid));
    Resume(threads_[0]);
    Block block{};
    ASSERT_TRUE(WaitForBlock("brisbolt_probe_a.exe", block))
        << "first copy: " << ExitCode(started_[0], 0) << " block " << block.instance << " " << block.window;
    DWORD owner = 0;
    GetWindowThreadProcessId(reinterpret_cast<HWND>(static_cast<std::uintptr_t>(block.window)), &owner);
    EXPECT_EQ(owner, firstPid) << "the block names the first copy's form";
    EXPECT_NE(block.instance, 0u);

    struct Case {
        const char* copy;
        const char* mode;
        DWORD code;
    };
    const Case cases[] = {
        {"brisbolt_probe_b.exe", "handler", ExitFirst},                 // another name: a first copy
        {"other\\brisbolt_probe_a.exe", "handler", ExitAlreadyRunning},  // same name elsewhere
        {"brisbolt_probe_a.exe", "plain", ExitTerminated},              // no handler: it ends itself
    };
    for (const auto& c : cases) {
        HANDLE p = Start(c.copy, c.mode);
        ASSERT_TRUE(p);
        Resume(threads_.back());
        if (c.code == ExitFirst) {
            EXPECT_EQ(ExitCode(p, 2000), STILL_ACTIVE) << c.copy;
            Block other{};
            EXPECT_TRUE(WaitForBlock("brisbolt_probe_b.exe", other));
        } else {
            EXPECT_EQ(ExitCode(p, 30000), c.code) << c.copy << " " << c.mode;
        }
    }
    EXPECT_EQ(ExitCode(started_[0], 0), STILL_ACTIVE);
}
