// The 3-D text effect's settings and the copies of the text it draws. The
// plan is portable; DrawText3D puts the copies on a device context.
#pragma once

#include "skin/SystemColorTable.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace brisbolt {

enum class TRepetition { repeatOnShadow, repeatOnHighLight, repeatNone };
enum class TStyle3D { fontRaised, fontInset, fontOnlyShadow, fontOnlyHighlight, fontOutLineShadow };

class TFont3D {
public:
    TFont3D() = default;
    // A copy would carry the other owner's OnChange; Assign takes the settings alone.
    TFont3D(const TFont3D&) = delete;
    TFont3D& operator=(const TFont3D&) = delete;

    int DrawingWidth() const { return 2 * offset_ + repetitionWidth_; }
    bool ThreeDimensional() const { return threeDimensional_; }
    bool MaskFont() const { return maskFont_; }
    Color Highlight() const { return highlight_; }
    Color Shadow() const { return shadow_; }
    Color RepetitionColor() const { return repetitionColor_; }
    TRepetition Repetition() const { return repetition_; }
    std::uint8_t Repetitionwidth() const { return repetitionWidth_; }
    std::uint8_t Offset() const { return offset_; }
    TStyle3D Style3D() const { return style3D_; }

    void SetThreeDimensional(bool value) {
        threeDimensional_ = value;
        Changed();
    }
    void SetMaskFont(bool value) {
        maskFont_ = value;
        Changed();
    }
    void SetHighlight(Color value) {
        highlight_ = value;
        Changed();
    }
    void SetShadow(Color value) {
        shadow_ = value;
        Changed();
    }
    void SetRepetitionColor(Color value) {
        repetitionColor_ = value;
        Changed();
    }
    void SetRepetition(TRepetition value) {
        repetition_ = value;
        Changed();
    }
    void SetRepetitionwidth(std::uint8_t value) {
        repetitionWidth_ = value;
        Changed();
    }
    // An offset of 0 is not taken, but the change is still signalled.
    void SetOffset(std::uint8_t value) {
        if (value != 0) offset_ = value;
        Changed();
    }
    void SetStyle3D(TStyle3D value) {
        style3D_ = value;
        Changed();
    }
    // Every setting of the other, signalled once; OnChange stays this object's own.
    void Assign(const TFont3D& other);

    // Fired after every setter; the owning control repaints.
    std::function<void()> OnChange;

private:
    void Changed() {
        if (OnChange) OnChange();
    }

    bool threeDimensional_ = true;
    bool maskFont_ = true;
    Color highlight_ = clBtnHighlight;
    Color shadow_ = clBtnShadow;
    Color repetitionColor_ = clBlack;
    TRepetition repetition_ = TRepetition::repeatNone;
    std::uint8_t repetitionWidth_ = 0;
    std::uint8_t offset_ = 1;
    TStyle3D style3D_ = TStyle3D::fontOnlyHighlight;
};

// One copy of the text, shifted from the (shrunk) rectangle. fontColor means
// the font's own colour rather than `color`.
struct TextCopy {
    int dx = 0, dy = 0;
    Color color = clBlack;
    bool fontColor = false;
    friend bool operator==(const TextCopy&, const TextCopy&) = default;
};

struct Text3DPlan {
    // Taken from the left and right (and, for plain 3-D text, top and bottom).
    int shrinkX = 0, shrinkY = 0;
    std::vector<TextCopy> copies;  // in drawing order; the last is the text itself
};

// The copies DrawText3D draws, the text itself last.
Text3DPlan PlanText3D(const TFont3D& font, bool enabled);

// The copies DrawFilledText draws before the filled letters; the last entry
// is where the filled letters go.
Text3DPlan PlanFilledText(const TFont3D& font);

}  // namespace brisbolt
