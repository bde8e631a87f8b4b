// A timer component: OnTimer every Interval milliseconds while Enabled.
#pragma once

#include <functional>

#include "runtime/Component.h"
#include "runtime/Window.h"

namespace brisbolt {

class TTimer final : public TComponent, private MessageTarget {
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    unsigned Interval() const { return interval_; }
    void SetInterval(unsigned interval);

    std::function<void(TComponent* sender)> OnTimer;

private:
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    void Update();

    UniqueWindow window_{CreateMessageWindow(this)};
    bool enabled_ = true;
    unsigned interval_ = 1000;
};

}  // namespace brisbolt
