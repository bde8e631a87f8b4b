#include "runtime/Timer.h"

namespace brisbolt {

namespace {
constexpr UINT_PTR TimerId = 1;
}

TTimer::TTimer(TComponent* owner) : TComponent(owner) { Update(); }

TTimer::~TTimer() { KillTimer(hwnd_, TimerId); }

void TTimer::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    Update();
}

void TTimer::SetInterval(unsigned interval) {
    if (interval == interval_) return;
    interval_ = interval;
    Update();
}

void TTimer::Update() {
    KillTimer(hwnd_, TimerId);
    if (enabled_ && interval_ > 0) SetTimer(hwnd_, TimerId, interval_, nullptr);
}

LRESULT TTimer::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_TIMER && wp == TimerId) {
        if (OnTimer) OnTimer(this);
        return 0;
    }
    return DefaultProc(msg, wp, lp);
}

}  // namespace brisbolt
