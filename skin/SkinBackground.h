// A background that several controls paint with: a gradient, a texture, a
// hatch pattern or a solid colour. Any change repaints every client.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "runtime/Component.h"
#include "runtime/Control.h"
#include "skin/BrushFill.h"
#include "skin/Font3D.h"
#include "skin/GradientFill.h"
#include "skin/TextureFill.h"

namespace brisbolt {

class TSkinBackground;

enum class TBackgroundStyle { bGradient, bTexture, bSolidcolor, bBrushFillUseCurrent, bBrushFillSolidColor };

// A control's reference to a background: registers with the background it
// points at, leaves it when changed or destroyed, and is cleared when the
// background goes first.
class BackgroundLink {
public:
    explicit BackgroundLink(TControl* client) : client_(client) {}
    ~BackgroundLink() { Set(nullptr); }
    BackgroundLink(const BackgroundLink&) = delete;
    BackgroundLink& operator=(const BackgroundLink&) = delete;

    TSkinBackground* Get() const { return background_; }
    void Set(TSkinBackground* background);
    explicit operator bool() const { return background_ != nullptr; }
    TSkinBackground* operator->() const { return background_; }

private:
    friend class TSkinBackground;
    TControl* client_;
    TSkinBackground* background_ = nullptr;
};

class TSkinBackground : public TComponent {
public:
    explicit TSkinBackground(TComponent* owner);
    ~TSkinBackground() override;

    TTextureFill Texture;
    TGradientFill Gradient;
    TBrushFill BrushFill;
    TNotifyEvent OnChanged;

    TColor SolidColor() const { return solidColor_; }
    void SetSolidColor(TColor value);
    TBackgroundStyle BackgroundStyle() const { return backgroundStyle_; }
    void SetBackgroundStyle(TBackgroundStyle value);

    // Fills 0, 0, W, H of the target.
    void PaintBackground(HDC target, int width, int height, bool forward) const;
    // Every pixel of the key colour in 0, 0, W, H becomes background.
    void PaintOverColor(HDC canvas, int width, int height, TColor key, bool forward) const;
    // Text whose letters are filled with the background.
    void DrawFilledText(const TFont3D& effect, const TFont& font, UINT flags, const std::string& text, const RECT& rect,
                        HDC canvas) const;

    // Repaints the clients, then fires OnChanged.
    void NotifyClients();
    std::size_t ClientCount() const { return clients_.size(); }

private:
    friend class BackgroundLink;
    void AddClient(BackgroundLink* link);
    void RemoveClient(BackgroundLink* link);

    std::vector<BackgroundLink*> clients_;
    TColor solidColor_ = clBtnFace;
    TBackgroundStyle backgroundStyle_ = TBackgroundStyle::bGradient;
};

// The gradient alone, into 0, 0, W, H of the target.
void PaintGradient(const TGradientFill& fill, HDC target, int width, int height, bool forward);

}  // namespace brisbolt
