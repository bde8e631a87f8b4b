#include "skin/SkinBackground.h"

#include <algorithm>

#include "skin/SkinDraw.h"
#include "skin/TextEffects.h"

namespace brisbolt {

void BackgroundLink::Set(TSkinBackground* background) {
    if (background == background_) return;
    if (background_) background_->RemoveClient(this);
    background_ = background;
    if (background_) background_->AddClient(this);
    if (client_) client_->Invalidate();
}

TSkinBackground::TSkinBackground(TComponent* owner) : TComponent(owner) {
    Texture.OnChange = [this] { NotifyClients(); };
    Gradient.OnChange = [this] { NotifyClients(); };
    BrushFill.OnChange = [this] { NotifyClients(); };
}

TSkinBackground::~TSkinBackground() {
    for (BackgroundLink* link : clients_) {
        link->background_ = nullptr;
        if (link->client_) link->client_->Invalidate();
    }
}

void TSkinBackground::SetSolidColor(TColor value) {
    solidColor_ = value;
    NotifyClients();
}

void TSkinBackground::SetBackgroundStyle(TBackgroundStyle value) {
    backgroundStyle_ = value;
    NotifyClients();
}

void TSkinBackground::AddClient(BackgroundLink* link) {
    if (std::find(clients_.begin(), clients_.end(), link) == clients_.end()) clients_.push_back(link);
}

void TSkinBackground::RemoveClient(BackgroundLink* link) {
    clients_.erase(std::remove(clients_.begin(), clients_.end(), link), clients_.end());
}

void TSkinBackground::NotifyClients() {
    for (BackgroundLink* link : clients_)
        if (link->client_) link->client_->Invalidate();
    if (OnChanged) OnChanged(this);
}

void PaintGradient(const TGradientFill& fill, HDC target, int width, int height, bool forward) {
    if (width <= 0 || height <= 0) return;
    const GradientPlan plan = PlanGradient(fill, width, height, forward, CurrentSystemColors());
    TBitmap picture(width, height);
    HDC dc = picture.DC();
    if (!dc) return;
    FillSolid(dc, RECT{0, 0, width, height}, ColorFromRgb(plan.background));
    using Kind = GradientStroke::Kind;
    for (const GradientStroke& s : plan.strokes) {
        const COLORREF color = ColorRef(s.color);
        switch (s.kind) {
            case Kind::Band: FillSolid(dc, RECT{0, s.top, width, s.bottom}, ColorFromRgb(s.color)); break;
            case Kind::Column: FillSolid(dc, RECT{s.left, 0, s.right, height}, ColorFromRgb(s.color)); break;
            case Kind::Box: FillSolid(dc, RECT{s.left, s.top, s.right, s.bottom}, ColorFromRgb(s.color)); break;
            case Kind::Ellipse: {
                UniquePen pen(CreatePen(PS_SOLID, 1, color));
                UniqueBrush brush(CreateSolidBrush(color));
                ScopedSelect p(dc, pen.get());
                ScopedSelect b(dc, brush.get());
                Ellipse(dc, s.left, s.top, s.right, s.bottom);
                break;
            }
            case Kind::Line: DrawLine(dc, s.left, s.top, s.right, s.bottom, color); break;
        }
    }
    BitBlt(target, 0, 0, width, height, dc, 0, 0, SRCCOPY);
}

namespace {

int HatchOf(TBrushStyle style) {
    switch (style) {
        case TBrushStyle::bsHorizontal: return HS_HORIZONTAL;
        case TBrushStyle::bsVertical: return HS_VERTICAL;
        case TBrushStyle::bsFDiagonal: return HS_FDIAGONAL;
        case TBrushStyle::bsBDiagonal: return HS_BDIAGONAL;
        case TBrushStyle::bsCross: return HS_CROSS;
        case TBrushStyle::bsDiagCross: return HS_DIAGCROSS;
        default: return -1;
    }
}

// Hatch lines in the brush colour on white.
void PaintBrush(const TBrushFill& fill, TBitmap& picture) {
    const RECT all{0, 0, picture.Width(), picture.Height()};
    FillSolid(picture.DC(), all, clWhite);
    if (fill.BrushStyle() == TBrushStyle::bsClear) return;
    if (fill.BrushStyle() == TBrushStyle::bsSolid) {
        FillSolid(picture.DC(), all, fill.BrushColor());
        return;
    }
    UniqueBrush brush(CreateHatchBrush(HatchOf(fill.BrushStyle()), ColorRef(fill.BrushColor())));
    SetBkMode(picture.DC(), OPAQUE);
    SetBkColor(picture.DC(), RGB(255, 255, 255));
    FillRect(picture.DC(), &all, brush.get());
}

}  // namespace

void TSkinBackground::PaintBackground(HDC target, int width, int height, bool forward) const {
    if (width <= 0 || height <= 0) return;
    switch (backgroundStyle_) {
        case TBackgroundStyle::bGradient: PaintGradient(Gradient, target, width, height, forward); break;
        case TBackgroundStyle::bTexture: Texture.PaintTexture(target, width, height); break;
        case TBackgroundStyle::bSolidcolor: FillSolid(target, RECT{0, 0, width, height}, solidColor_); break;
        case TBackgroundStyle::bBrushFillUseCurrent:
        case TBackgroundStyle::bBrushFillSolidColor: {
            TBitmap hatch(width, height);
            if (hatch.Empty()) return;
            PaintBrush(BrushFill, hatch);
            if (backgroundStyle_ == TBackgroundStyle::bBrushFillSolidColor) {
                // The white between the lines becomes the solid colour.
                TBitmap solid(width, height);
                FillSolid(solid.DC(), RECT{0, 0, width, height}, solidColor_);
                DrawTransparent(TransparentMode::KeyColor, solid.DC(), hatch, clWhite, 0, 0);
                BitBlt(target, 0, 0, width, height, solid.DC(), 0, 0, SRCCOPY);
            } else {
                BitBlt(target, 0, 0, width, height, hatch.DC(), 0, 0, SRCCOPY);
            }
            break;
        }
    }
}

void TSkinBackground::PaintOverColor(HDC canvas, int width, int height, TColor key, bool forward) const {
    if (width <= 0 || height <= 0) return;
    TBitmap painted(width, height), current;
    if (painted.Empty()) return;
    PaintBackground(painted.DC(), width, height, forward);
    CopyFromDC(current, canvas, width, height);
    DrawTransparent(TransparentMode::KeyColor, painted.DC(), current, key, 0, 0);
    BitBlt(canvas, 0, 0, width, height, painted.DC(), 0, 0, SRCCOPY);
}

void TSkinBackground::DrawFilledText(const TFont3D& effect, const TFont& font, UINT flags, const std::string& text,
                                     const RECT& rect, HDC canvas) const {
    // The whole rectangle is worked on, so no letter is cut at its edge.
    const int width = rect.right, height = rect.bottom;
    if (width <= 0 || height <= 0) return;
    TBitmap copy;
    CopyFromDC(copy, canvas, width, height);
    if (copy.Empty()) return;
    TFont own;
    own.Assign(font);
    const Text3DPlan plan = PlanFilledText(effect);
    RECT r = rect;
    r.left += plan.shrinkX;
    r.right -= plan.shrinkX;
    {
        ScopedSelect f(copy.DC(), own.Handle());
        SetBkMode(copy.DC(), TRANSPARENT);
        for (std::size_t i = 0; i + 1 < plan.copies.size(); ++i)
            DrawTextCopy(copy.DC(), text, r, plan.copies[i].dx, plan.copies[i].dy, flags,
                         ColorRef(plan.copies[i].color));
    }
    const TextCopy& letters = plan.copies.back();
    const COLORREF fontColor = ColorRef(own.Color());

    TBitmap filled(width, height), letterPicture(width, height);
    PaintBackground(filled.DC(), width, height, true);
    {
        ScopedSelect f(letterPicture.DC(), own.Handle());
        SetBkMode(letterPicture.DC(), TRANSPARENT);
        DrawTextCopy(letterPicture.DC(), text, r, letters.dx, letters.dy, flags, fontColor);
    }
    if (effect.MaskFont()) {
        // Two colours only: the font colour and white.
        UniqueMemoryDC monoDC(CreateCompatibleDC(letterPicture.DC()));
        UniqueBitmap mono(CreateBitmap(width, height, 1, 1, nullptr));
        ScopedSelect m(monoDC.get(), mono.get());
        SetBkColor(letterPicture.DC(), fontColor);
        BitBlt(monoDC.get(), 0, 0, width, height, letterPicture.DC(), 0, 0, SRCCOPY);
        SetTextColor(letterPicture.DC(), RGB(255, 255, 255));
        SetBkColor(letterPicture.DC(), fontColor);
        BitBlt(letterPicture.DC(), 0, 0, width, height, monoDC.get(), 0, 0, SRCCOPY);
    }
    TransparentCopy(filled.DC(), 0, 0, width, height, letterPicture.DC(), 0, 0, fontColor);
    DrawTransparent(TransparentMode::KeyColor, copy.DC(), filled, static_cast<TColor>(GetPixel(filled.DC(), 0, 0)), 0,
                    0);
    BitBlt(canvas, 0, 0, width, height, copy.DC(), 0, 0, SRCCOPY);
}

}  // namespace brisbolt
