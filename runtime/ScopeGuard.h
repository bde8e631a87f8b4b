// Runs a function when its scope ends, however it ends: an exception, an
// early return, or (at namespace scope) the program's end.
#pragma once

#include <utility>

namespace brisbolt {

template <typename F>
class [[nodiscard]] ScopeGuard {
public:
    explicit ScopeGuard(F onExit) : onExit_(std::move(onExit)) {}
    ~ScopeGuard() { onExit_(); }
    ScopeGuard(const ScopeGuard&) = delete;
    ScopeGuard& operator=(const ScopeGuard&) = delete;

private:
    F onExit_;
};

}  // namespace brisbolt
