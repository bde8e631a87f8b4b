#include "skin/SkinHint.h"

#include "runtime/Application.h"
#include "runtime/Form.h"
#include "skin/SkinHintWindow.h"

namespace brisbolt {

TSkinHint* TSkinHint::instance_ = nullptr;
int TSkinHint::count_ = 0;

namespace {

TComponent* HintOwner(TComponent* owner) {
    if (Application && Application->MainForm) return Application->MainForm;
    return owner;
}

}  // namespace

TSkinHint::TSkinHint(TComponent* owner) : TComponent(HintOwner(owner)) {
    if (count_ > 0)
        throw TSkinHintDuplicateError(
            "You can have one and ONLY ONE\r\nTSkinHint Component\r\n"
            " in a project and it must be on the Mainform");
    ++count_;
    instance_ = this;
    Install();
}

TSkinHint::~TSkinHint() {
    --count_;
    if (instance_ != this) return;
    instance_ = nullptr;
    // Hints go back to the plain window rather than to a bubble with no settings.
    if (Application) {
        Application->HintWindowClass = [] { return std::make_unique<THintWindow>(); };
        Application->ResetHintWindow();
    }
}

void TSkinHint::Install() {
    if (!Application) return;
    Application->HintWindowClass = [] { return std::make_unique<TSkinHintWindow>(); };
    Application->HintPause = hintPauseTime_;
    Application->ResetHintWindow();
    ApplyHintFont();
}

void TSkinHint::Loaded() {
    TComponent::Loaded();
    Install();
}

void TSkinHint::SetHintFont(const TFont& font) {
    hintFont_.Assign(font);
    if (Application) Application->ResetHintWindow();
    ApplyHintFont();
}

void TSkinHint::SetHintPauseTime(int value) {
    if (value == hintPauseTime_) return;
    hintPauseTime_ = value;
    if (Application) Application->HintPause = value;
}

void TSkinHint::ApplyHintFont() {
    if (!Application) return;
    if (auto* window = dynamic_cast<TSkinHintWindow*>(Application->ActiveHintWindow())) window->Font.Assign(hintFont_);
}

}  // namespace brisbolt
