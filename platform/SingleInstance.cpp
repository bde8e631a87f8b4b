#include "platform/SingleInstance.h"

#include <string>

#include "runtime/Application.h"
#include "runtime/Form.h"
#include "runtime/ScopeGuard.h"

namespace brisbolt {

TSingleInstance* TSingleInstance::instance_ = nullptr;

namespace {

// What the first copy leaves for the later ones: its module handle, then
// its form's window, 32 bits each (window handles are 32-bit values in a
// 64-bit Windows too; the module handle is only passed on).
struct SharedBlock {
    std::uint32_t instance;
    std::uint32_t window;
};
static_assert(sizeof(SharedBlock) == 8);

std::string ExecutableFileName() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string full = path;
    const auto slash = full.find_last_of("\\/:");
    return slash == std::string::npos ? full : full.substr(slash + 1);
}

// A guard still alive when the program ends goes with it.
const ScopeGuard reaper([] { delete TSingleInstance::Instance(); });

}  // namespace

TComponent* TSingleInstance::CheckedOwner(TComponent* owner) {
    if (instance_) throw EAssertionFailed("Only one instance of TSingleInstance is allowed");
    return owner;
}

TSingleInstance::TSingleInstance(TComponent* owner) : TComponent(CheckedOwner(owner)) { instance_ = this; }

TSingleInstance::~TSingleInstance() {
    mapping_.reset();
    if (instance_ == this) instance_ = nullptr;
}

void TSingleInstance::Loaded() {
    TComponent::Loaded();
    if (Designing()) return;

    const std::string name = ExecutableFileName();
    HANDLE mapping =
        CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(SharedBlock), name.c_str());
    // Read right away: any call in between may change the last error.
    const bool existed = GetLastError() == ERROR_ALREADY_EXISTS;
    mapping_.reset(mapping);
    // Without the block we simply behave as the first copy.
    if (!mapping_) return;

    UniqueView view(MapViewOfFile(mapping_.get(), FILE_MAP_WRITE, 0, 0, sizeof(SharedBlock)));
    if (!view) return;
    auto* block = static_cast<SharedBlock*>(view.get());

    if (existed) {
        // The view goes even if the handler throws.
        AlreadyRunning(block->instance, reinterpret_cast<HWND>(static_cast<std::uintptr_t>(block->window)));
        return;
    }
    block->instance = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(GetModuleHandleA(nullptr)));
    block->window = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(OwningFormHandle()));
}

HWND TSingleInstance::OwningFormHandle() const {
    // The guard may sit on a helper component; the form is further up.
    for (TComponent* c = Owner(); c; c = c->Owner()) {
        if (auto* form = dynamic_cast<TForm*>(c)) return form->Handle();
    }
    return nullptr;
}

void TSingleInstance::AlreadyRunning(std::uint32_t hPrevInst, HWND hPrevWnd) {
    if (OnAlreadyRunning) {
        OnAlreadyRunning(this, hPrevInst, hPrevWnd);
        return;
    }
    SetForegroundWindow(hPrevWnd);
    if (Application) Application->Terminate();
}

}  // namespace brisbolt
