#include "platform/MtuProbe.h"

#include <atomic>
#include <exception>

#include "platform/IcmpEcho.h"
#include "runtime/Application.h"
#include "runtime/Dialogs.h"
#include "runtime/SystemFunctions.h"
#include "runtime/Win32Handles.h"

namespace brisbolt {

// What the worker and the window share; the worker keeps its own reference,
// so it may outlive the component.
struct TMtuProbe::Shared {
    Shared() { InitializeCriticalSection(&lock); }
    ~Shared() { DeleteCriticalSection(&lock); }
    Shared(const Shared&) = delete;
    Shared& operator=(const Shared&) = delete;

    // Posts to the window unless the search was cancelled.
    void Post(UINT msg) {
        EnterCriticalSection(&lock);
        if (window) PostMessageA(window, msg, search, 0);
        LeaveCriticalSection(&lock);
    }
    void Forget() {
        cancelled = true;
        EnterCriticalSection(&lock);
        window = nullptr;
        LeaveCriticalSection(&lock);
    }

    CRITICAL_SECTION lock;
    std::atomic<bool> cancelled{false};
    HWND window = nullptr;
    WPARAM search = 0;
    std::string host;
    std::unique_ptr<EchoLine> line;
    // Under the lock.
    MtuProgress progress;
    MtuResult result;
};

namespace {

DWORD WINAPI RunSearch(LPVOID parameter) {
    std::unique_ptr<std::shared_ptr<TMtuProbe::Shared>> owned(
        static_cast<std::shared_ptr<TMtuProbe::Shared>*>(parameter));
    TMtuProbe::Shared& shared = **owned;
    try {
        MtuSearchHooks hooks;
        hooks.cancelled = [&shared] { return shared.cancelled.load(); };
        hooks.progress = [&shared](const MtuProgress& progress) {
            EnterCriticalSection(&shared.lock);
            shared.progress = progress;
            LeaveCriticalSection(&shared.lock);
            shared.Post(TMtuProbe::ProgressMessage);
        };
        const MtuResult result = FindLargestPacket(shared.host, *shared.line, hooks);
        EnterCriticalSection(&shared.lock);
        shared.result = result;
        LeaveCriticalSection(&shared.lock);
    } catch (const std::exception&) {
        // Out of memory: said as a search that found nothing.
        EnterCriticalSection(&shared.lock);
        shared.result = MtuResult{};
        shared.result.outcome = MtuOutcome::NotStable;
        LeaveCriticalSection(&shared.lock);
    }
    shared.line.reset();  // WinSock and ICMP end on this thread
    shared.Post(TMtuProbe::ResultMessage);
    return 0;
}

// CreateThread is looked up like every function the program did not import
// before it: the import table stays as it was.
bool StartWorker(std::shared_ptr<TMtuProbe::Shared> shared) {
    using CreateThreadFunction =
        HANDLE(WINAPI*)(LPSECURITY_ATTRIBUTES, SIZE_T, LPTHREAD_START_ROUTINE, LPVOID, DWORD, LPDWORD);
    static const auto createThread = SystemFunctionAs<CreateThreadFunction>("kernel32.dll", "CreateThread");
    if (!createThread) return false;
    auto* parameter = new std::shared_ptr<TMtuProbe::Shared>(std::move(shared));
    DWORD id = 0;
    UniqueKernelHandle thread(createThread(nullptr, 0, RunSearch, parameter, 0, &id));
    if (!thread) delete parameter;
    return static_cast<bool>(thread);
}

}  // namespace

TMtuProbe::TMtuProbe(TComponent* owner) : TComponent(owner) {}

TMtuProbe::~TMtuProbe() { Cancel(); }

bool TMtuProbe::Start(const std::string& host) {
    Cancel();
    if (!window_) return false;
    auto shared = std::make_shared<Shared>();
    shared->window = window_.get();
    shared->search = ++search_;
    shared->host = host;
    shared->line = MakeLine ? MakeLine() : std::make_unique<TIcmpLine>();
    if (!shared->line || !StartWorker(shared)) return false;
    shared_ = std::move(shared);
    busy_ = true;
    return true;
}

void TMtuProbe::Cancel() {
    if (shared_) shared_->Forget();
    shared_.reset();
    busy_ = false;
}

LRESULT TMtuProbe::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg != ProgressMessage && msg != ResultMessage) return DefaultProc(msg, wp, lp);
    if (!shared_ || wp != search_) return 0;
    EnterCriticalSection(&shared_->lock);
    const MtuProgress progress = shared_->progress;
    const MtuResult result = shared_->result;
    LeaveCriticalSection(&shared_->lock);
    if (msg == ProgressMessage) {
        if (OnProgress) OnProgress(this, progress);
        return 0;
    }
    shared_.reset();
    busy_ = false;
    if (OnResult) OnResult(this, result);
    return 0;
}

int RunFindMtuCommand(const std::string& host) {
    MtuResult result;
    {
        TIcmpLine line;
        result = FindLargestPacket(host, line);
    }
    ShowMessage(DescribeMtuResult(result, host));
    return result.outcome == MtuOutcome::Found ? result.mtu : 0;
}

bool IsFindMtuSwitch(const std::string& argument) { return TApplication::IsSwitch(argument, FindMtuSwitch); }

}  // namespace brisbolt
