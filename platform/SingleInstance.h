// Detects at start-up whether a copy of this program is already running,
// through a small named shared-memory block named after the executable.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>

#include "runtime/Component.h"
#include "runtime/Exceptions.h"
#include "runtime/Win32Handles.h"

namespace brisbolt {

using TAlreadyRunningEvent = std::function<void(TComponent* sender, std::uint32_t hPrevInst, HWND hPrevWnd)>;

class TSingleInstance : public TComponent {
public:
    // Throws EAssertionFailed when the process already has a guard.
    explicit TSingleInstance(TComponent* owner);
    ~TSingleInstance() override;

    // Looks for an earlier copy once the owning form has been built.
    void Loaded() override;

    TAlreadyRunningEvent OnAlreadyRunning;

    // The one guard of this process, or nullptr.
    static TSingleInstance* Instance() { return instance_; }

protected:
    // Fires OnAlreadyRunning; without a handler brings the earlier copy
    // forward and ends this one.
    virtual void AlreadyRunning(std::uint32_t hPrevInst, HWND hPrevWnd);

private:
    static TComponent* CheckedOwner(TComponent* owner);
    HWND OwningFormHandle() const;

    // Held for our whole life, so the block lives as long as we run.
    UniqueKernelHandle mapping_;
    static TSingleInstance* instance_;
};

}  // namespace brisbolt
