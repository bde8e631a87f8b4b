// The one component that gives every hint of the program its bubble look:
// it installs TSkinHintWindow as the application's hint window.
#pragma once

#include <functional>
#include <stdexcept>

#include "runtime/Component.h"
#include "runtime/Control.h"
#include "skin/Font3D.h"
#include "skin/HintPlacement.h"
#include "skin/SkinBackground.h"

namespace brisbolt {

class TSkinHintDuplicateError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

using TOnSelectHintDirection = std::function<void(TControl* hintControl, THintDirection& hintDirection)>;

class TSkinHint : public TComponent {
public:
    // Sits on the main form when there is one. A second instance raises
    // TSkinHintDuplicateError; the first stays in force.
    explicit TSkinHint(TComponent* owner);
    ~TSkinHint() override;

    // The instance in force, if any.
    static TSkinHint* Instance() { return instance_; }

    void Loaded() override;

    TFont3D Font3D;
    bool Speechbubble = false;
    bool Shadow = true;
    THintDirection HintDirection = THintDirection::dUpRight;
    TColor UnUsedHintColor = clLime;
    TColor HintShadowColor = clBlack;
    TOnSelectHintDirection OnSelectHintDirection;
    BackgroundLink Background{nullptr};

    const TFont& HintFont() const { return hintFont_; }
    void SetHintFont(const TFont& font);
    int HintPauseTime() const { return hintPauseTime_; }
    void SetHintPauseTime(int value);

private:
    void Install();
    void ApplyHintFont();

    TFont hintFont_;
    int hintPauseTime_ = 600;

    static TSkinHint* instance_;
    static int count_;
};

}  // namespace brisbolt
