#include "skin/GradientFill.h"

#include "skin/SkinMath.h"

namespace brisbolt {

void TGradientFill::SetBeginColor(Color value) {
    beginColor_ = value;
    Changed();
}

void TGradientFill::SetEndColor(Color value) {
    endColor_ = value;
    Changed();
}

void TGradientFill::SetFillStyle(GradientStyle value) {
    fillStyle_ = value;
    Changed();
}

void TGradientFill::SetColorCount(int value) {
    if (value >= 2 && value <= 255) colorCount_ = value;
    Changed();
}

void TGradientFill::SetColorsInBetween(std::vector<std::string> value) {
    colorsInBetween_ = std::move(value);
    Changed();
}

void TGradientFill::Assign(const TGradientFill& other) {
    beginColor_ = other.beginColor_;
    endColor_ = other.endColor_;
    fillStyle_ = other.fillStyle_;
    colorCount_ = other.colorCount_;
    colorsInBetween_ = other.colorsInBetween_;
    Changed();
}

std::vector<Rgb> GradientColorList(const TGradientFill& fill, bool forward, const SystemColors& system) {
    std::vector<Rgb> list;
    list.push_back(ResolveColor(forward ? fill.BeginColor() : fill.EndColor(), system));
    for (const auto& text : fill.ColorsInBetween())
        if (auto c = StringToColor(text)) list.push_back(ResolveColor(*c, system));
    list.push_back(ResolveColor(forward ? fill.EndColor() : fill.BeginColor(), system));
    return list;
}

namespace {

using Kind = GradientStroke::Kind;

struct StepColors {
    Rgb forward;  // F: never a pure zero channel
    Rgb reverse;  // V: the same step counted from the other end
};

StepColors StepColor(Rgb a, Rgb b, int i, int n) {
    auto channel = [&](std::uint8_t from, std::uint8_t to, int step) {
        int c = n < 2 ? from : from + MulDiv(step, int(to) - int(from), n - 1);
        return static_cast<std::uint8_t>(c);
    };
    Rgb f{channel(a.r, b.r, i), channel(a.g, b.g, i), channel(a.b, b.b, i)};
    Rgb v{channel(a.r, b.r, n - 1 - i), channel(a.g, b.g, n - 1 - i), channel(a.b, b.b, n - 1 - i)};
    for (std::uint8_t* c : {&f.r, &f.g, &f.b})
        if (*c == 0) *c = 1;
    return {f, v};
}

int Round(double v) { return RoundHalfEven(v); }

struct Painter {
    int W, H, S, n;
    std::vector<GradientStroke>& out;

    void Add(Kind kind, int l, int t, int r, int b, Rgb c) { out.push_back({kind, l, t, r, b, c}); }

    // Lines through the centre; Spectral alternates F (odd) and V (even).
    void CircleLines(int k, int i, StepColors c, bool spectral) {
        int sW = Round(double(W) / S) + 1, sH = Round(double(H) / S) + 1;
        int oX = sW * k, oY = sH * k;
        auto pick = [&](int v) { return !spectral || (v & 1) ? c.forward : c.reverse; };
        for (int x = MulDiv(i, sW, n); x <= MulDiv(i + 2, sW, n); ++x)
            Add(Kind::Line, oX + x, 0, W - x - oX, H, pick(x));
        for (int y = MulDiv(i, sH, n); y <= MulDiv(i + 2, sH, n); ++y)
            Add(Kind::Line, 0, oY + y, W, H - y - oY, pick(y));
    }

    void Step(GradientStyle style, int k, int i, StepColors c) {
        const Rgb F = c.forward;
        const int sW = Round(double(W) / S) + 1, sH = Round(double(H) / S) + 1;
        const int tW = Round(double(W) / S), tH = Round(double(H) / S);
        switch (style) {
            case GradientStyle::Circle: CircleLines(k, i, c, false); break;
            case GradientStyle::Spectral: CircleLines(k, i, c, true); break;
            case GradientStyle::Horizontal:
                Add(Kind::Band, 0, sH * k + MulDiv(i, sH, n), W, sH * k + MulDiv(i + 2, sH, n), F);
                break;
            case GradientStyle::Vertical:
                Add(Kind::Column, sW * k + MulDiv(i, sW, n), 0, sW * k + MulDiv(i + 2, sW, n), H, F);
                break;
            case GradientStyle::LeftBottom: {
                int dx = MulDiv(i, sW, n), dy = MulDiv(i, sH, n);
                int l = sW * k + dx, t = sH * k + dy;
                Add(Kind::Box, l, t, l + W - dx, t + H - dy, F);
                break;
            }
            case GradientStyle::RoundMiddle: {
                int oX = Round(sW / 2.0 * k) + 1, oY = Round(sH / 2.0 * k) + 1;
                int dx = MulDiv(i, Round(sW / 2.0) + 1, n), dy = MulDiv(i, Round(sH / 2.0) + 1, n);
                Add(Kind::Ellipse, oX + dx, oY + dy, W - dx - oX, H - dy - oY, F);
                break;
            }
            case GradientStyle::SquareMiddle: {
                int oX = Round(tW / 2.0 * k), oY = Round(tH / 2.0 * k);
                int dx = MulDiv(i, Round(tW / 2.0), n), dy = MulDiv(i, Round(tH / 2.0), n);
                int l = oX + dx, t = oY + dy;
                Add(Kind::Box, l, t, l + W - 2 * dx - 2 * oX, t + H - 2 * dy - 2 * oY, F);
                break;
            }
            case GradientStyle::DoppelFlash: {
                int oX = sW * k + 1, oY = sH * k + 1;
                int dx = MulDiv(i, sW, n), dy = MulDiv(i, sH, n);
                Add(Kind::Ellipse, oX + dx, oY + dy, W, H, F);
                Add(Kind::Ellipse, 0, 0, W - dx - oX, H - dy - oY, F);
                break;
            }
            case GradientStyle::Singleflash: {
                int oX = tW * k, oY = tH * k;
                int dx = MulDiv(i, tW, n), dy = MulDiv(i, tH, n);
                Add(Kind::Ellipse, oX + dx, oY + dy, W, H, F);
                break;
            }
            case GradientStyle::MiddleHBar: {
                int h2 = Round(sH / 2.0), oY = Round(sH / 2.0 * k) + 1;
                Add(Kind::Band, 0, H - MulDiv(i + 2, h2 + 1, n) - oY - 1, W, H - MulDiv(i, h2 + 1, n) - oY - 1, F);
                Add(Kind::Band, 0, oY + MulDiv(i, h2, n), W, oY + MulDiv(i + 2, h2, n) + 1, F);
                break;
            }
            case GradientStyle::MiddleVBar: {
                int w2 = Round(sW / 2.0), oX = Round(sW / 2.0 * k) + 1;
                Add(Kind::Column, W - MulDiv(i + 2, w2 + 1, n) - oX - 1, 0, W - MulDiv(i, w2 + 1, n) - oX - 1, H, F);
                Add(Kind::Column, oX + MulDiv(i, w2, n), 0, oX + MulDiv(i + 2, w2, n) + 1, H, F);
                break;
            }
            case GradientStyle::VerticalDoppelBar:
            case GradientStyle::HorizontalDoppelBar: {
                bool vertical = style == GradientStyle::VerticalDoppelBar;
                int s = vertical ? sW : sH;
                int t = Round(s / 3.0) + 1, o = Round(s / 3.0 * k) + 1;
                int a = MulDiv(i, t, n), b = MulDiv(i + 1, t, n);
                int c2 = 2 * Round((vertical ? W : H) / 3.0);
                int bars[3][2] = {{o + a, o + b}, {c2 - b - o, c2 - a - o}, {c2 + o + a, c2 + o + b}};
                for (auto& bar : bars) {
                    if (vertical)
                        Add(Kind::Column, bar[0], 0, bar[1], H, F);
                    else
                        Add(Kind::Band, 0, bar[0], W, bar[1], F);
                }
                break;
            }
        }
    }
};

}  // namespace

GradientPlan PlanGradient(const TGradientFill& fill, int width, int height, bool forward, const SystemColors& system) {
    std::vector<Rgb> list = GradientColorList(fill, forward, system);
    GradientPlan plan;
    plan.background = list.front();
    if (width <= 0 || height <= 0) return plan;
    const int S = static_cast<int>(list.size()) - 1;
    const int n = fill.ColorCount();
    Painter painter{width, height, S, n, plan.strokes};
    for (int k = 0; k < S; ++k)
        for (int i = 0; i < n; ++i) painter.Step(fill.FillStyle(), k, i, StepColor(list[k], list[k + 1], i, n));
    return plan;
}

}  // namespace brisbolt
