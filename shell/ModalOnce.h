// Windows that are opened modally at most once at a time: made, kept in
// their program-wide reference while shown, destroyed and the reference
// emptied, however the modal loop ends.
#pragma once

#include <memory>

#include "runtime/Application.h"
#include "runtime/Form.h"

namespace brisbolt {

enum class Release { AtOnce, AfterPendingMessages };

// Returns the window's modal result. The reference is set before the
// window's creation handlers run, since they may handle messages (a second
// click, a tray double click). `prepare` runs between making and showing.
// With AfterPendingMessages, the messages the closing left behind are
// handled while the reference still guards against a second window.
template <typename F, typename Prepare = void (*)(F&)>
int ShowModalOnce(
    TForm*& reference, TComponent* owner, Prepare prepare = [](F&) {}, Release release = Release::AtOnce) {
    struct Reference {
        TForm*& held;
        ~Reference() { held = nullptr; }
    } emptied{reference};
    std::unique_ptr<F> window(new F(owner));
    reference = window.get();
    window->AfterConstruction();
    prepare(*window);
    const int result = window->ShowModal();
    window.reset();
    if (release == Release::AfterPendingMessages) Application->ProcessMessages();
    return result;
}

}  // namespace brisbolt
