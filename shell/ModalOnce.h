// Windows that are opened modally at most once at a time: made, kept in
// their program-wide reference and the list of open windows while shown,
// destroyed and the reference emptied, however the modal loop ends.
#pragma once

#include <memory>
#include <vector>

#include "runtime/Application.h"
#include "runtime/Form.h"
#include "runtime/ScopeGuard.h"
#include "app/Globals.h"

namespace brisbolt {

enum class Release { AtOnce, AfterPendingMessages };

// Returns the window's modal result. The reference is set before the
// window's creation handlers run, since they may handle messages (a second
// click, a tray double click). `prepare` runs between making and showing.
// With AfterPendingMessages, the messages the closing left behind are
// handled while the reference still guards against a second window; the
// window has left the list of open windows by then, since it is gone.
template <typename F, typename Prepare = void (*)(F&)>
int ShowModalOnce(
    TForm*& reference, TComponent* owner, Prepare prepare = [](F&) {}, Release release = Release::AtOnce) {
    const ScopeGuard emptied([&reference] { reference = nullptr; });
    std::unique_ptr<F> window(new F(owner));
    TForm* const open = window.get();
    reference = open;
    OpenWindows.push_back(open);
    auto close = [&window, open] {
        std::erase(OpenWindows, open);
        window.reset();
    };
    const ScopeGuard closedAnyway(close);
    window->AfterConstruction();
    prepare(*window);
    const int result = window->ShowModal();
    close();
    if (release == Release::AfterPendingMessages) Application->ProcessMessages();
    return result;
}

}  // namespace brisbolt
