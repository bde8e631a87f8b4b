// The MTU search off the window thread: a worker runs it and posts its
// progress and its end to our own window, whose events then come on the
// thread that started it. A cancel stops it between two echoes; a worker
// still waiting for an echo is left to end by itself and tells nobody.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "platform/MtuSearch.h"
#include "runtime/Component.h"
#include "runtime/Window.h"

namespace brisbolt {

using TMtuProgressEvent = std::function<void(TComponent* sender, const MtuProgress& progress)>;
using TMtuResultEvent = std::function<void(TComponent* sender, const MtuResult& result)>;
using TEchoLineMaker = std::function<std::unique_ptr<EchoLine>()>;

class TMtuProbe : public TComponent, private MessageTarget {
public:
    explicit TMtuProbe(TComponent* owner);
    // Cancels a search under way without waiting for it.
    ~TMtuProbe() override;

    // Starts a search for `host`; false when no worker could be started.
    bool Start(const std::string& host);
    void Cancel();
    bool Busy() const { return busy_; }

    TMtuProgressEvent OnProgress;
    // Raised once per search that was not cancelled.
    TMtuResultEvent OnResult;
    // Makes the line each search uses: the ICMP line unless replaced.
    TEchoLineMaker MakeLine;

    static constexpr UINT ProgressMessage = WM_APP + 1;
    static constexpr UINT ResultMessage = WM_APP + 2;

    struct Shared;

private:
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

    std::shared_ptr<Shared> shared_;
    // Tells the messages of this search from those a cancelled one left.
    WPARAM search_ = 0;
    bool busy_ = false;
    // Last: it may receive messages as soon as it exists.
    UniqueWindow window_{CreateMessageWindow(this)};
};

// The search without a window: one message box with the result. Returns the
// MTU found, or 0.
int RunFindMtuCommand(const std::string& host);
// The first argument that runs it (any case), the host coming second.
inline constexpr const char* FindMtuSwitch = "/FINDMTU";
bool IsFindMtuSwitch(const std::string& argument);

}  // namespace brisbolt
