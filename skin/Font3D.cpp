#include "skin/Font3D.h"

namespace brisbolt {

void TFont3D::Assign(const TFont3D& other) {
    threeDimensional_ = other.threeDimensional_;
    maskFont_ = other.maskFont_;
    highlight_ = other.highlight_;
    shadow_ = other.shadow_;
    repetitionColor_ = other.repetitionColor_;
    repetition_ = other.repetition_;
    repetitionWidth_ = other.repetitionWidth_;
    offset_ = other.offset_;
    style3D_ = other.style3D_;
    Changed();
}

namespace {

// The relief around the text at (x, y).
void AddRelief(const TFont3D& font, int x, int y, std::vector<TextCopy>& out) {
    const int o = font.Offset();
    auto add = [&](int dx, int dy, Color c) { out.push_back({x + dx, y + dy, c, false}); };
    switch (font.Style3D()) {
        case TStyle3D::fontRaised:
            add(-o, -o, font.Highlight());
            add(o, o, font.Shadow());
            break;
        case TStyle3D::fontInset:
            add(-o, -o, font.Shadow());
            add(o, o, font.Highlight());
            break;
        case TStyle3D::fontOnlyShadow: add(o, o, font.Shadow()); break;
        case TStyle3D::fontOnlyHighlight: add(-o, -o, font.Highlight()); break;
        case TStyle3D::fontOutLineShadow:
            add(-1, -1, font.Shadow());
            add(1, -1, font.Shadow());
            add(1, 1, font.Shadow());
            add(-1, 1, font.Shadow());
            break;
    }
}

}  // namespace

Text3DPlan PlanText3D(const TFont3D& font, bool enabled) {
    Text3DPlan plan;
    if (!enabled) {
        plan.copies.push_back({0, 0, clBtnHighlight, false});
        plan.copies.push_back({-1, -1, clGrayText, false});
        return plan;
    }
    int x = 0, y = 0;
    if (font.ThreeDimensional()) {
        const int rw = font.Repetitionwidth(), o = font.Offset();
        if (font.Repetition() != TRepetition::repeatNone) {
            plan.shrinkX = plan.shrinkY = rw;
            const bool onShadow = font.Repetition() == TRepetition::repeatOnShadow;
            const int step = onShadow ? -1 : 1;
            x = y = onShadow ? o : -o;
            for (int j = 0; j < rw; ++j, x += step, y += step)
                plan.copies.push_back({x, y, font.RepetitionColor(), false});
        }
        AddRelief(font, x, y, plan.copies);
    }
    plan.copies.push_back({x, y, clBlack, true});
    return plan;
}

Text3DPlan PlanFilledText(const TFont3D& font) {
    Text3DPlan plan;
    const int rw = font.Repetitionwidth();
    plan.shrinkX = rw;
    int x = 0, y = 0;
    if (font.ThreeDimensional()) {
        if (font.Repetition() == TRepetition::repeatOnHighLight) {
            for (int j = 0; j < rw; ++j, ++x, ++y) plan.copies.push_back({x, y, font.RepetitionColor(), false});
        } else if (font.Repetition() == TRepetition::repeatOnShadow) {
            x = y = rw;
            for (int j = 0; j < rw; ++j, --x, --y) plan.copies.push_back({x, y, font.RepetitionColor(), false});
        }
        AddRelief(font, x, y, plan.copies);
    }
    plan.copies.push_back({x, y, clBlack, true});
    return plan;
}

}  // namespace brisbolt
