// The multi-ring bevel frame: its settings, how much room it takes, and the
// lines that draw it. Colours stay unresolved; clNone sides are left out.
#pragma once

#include "skin/SystemColorTable.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace brisbolt {

enum class TFrameStyle {
    frameSolid,
    frameRaised,
    frameLowered,
    frameNone,
    frameFramedUp,
    frameFramedDown,
    framePanelUp,
    framePanelDown,
    frameLightBordered
};

enum FrameEdge : unsigned { EdgeLeft = 1, EdgeRight = 2, EdgeTop = 4, EdgeBottom = 8 };
inline constexpr unsigned AllEdges = EdgeLeft | EdgeRight | EdgeTop | EdgeBottom;

class TSkinFrame {
public:
    TSkinFrame() = default;
    // A copy would carry the other owner's OnChange; Assign takes the settings alone.
    TSkinFrame(const TSkinFrame&) = delete;
    TSkinFrame& operator=(const TSkinFrame&) = delete;

    TFrameStyle FrameStyle() const { return frameStyle_; }
    unsigned Edges() const { return edges_; }
    Color Highlight() const { return highlight_; }
    Color Shadow() const { return shadow_; }
    Color Solid() const { return solid_; }
    std::uint8_t FrameWidth() const { return frameWidth_; }

    void SetFrameStyle(TFrameStyle value);
    void SetEdges(unsigned value);
    void SetHighlight(Color value);
    void SetShadow(Color value);
    void SetSolid(Color value);
    // A width of 0 is ignored entirely (no change is signalled).
    void SetFrameWidth(std::uint8_t value);
    // Every setting of the other, signalled once; OnChange stays this object's own.
    void Assign(const TSkinFrame& other);

    // Pixels the frame takes from each side.
    int FrameInset() const;

    // Fired after every change; the owning control repaints.
    std::function<void()> OnChange;

private:
    void Changed() {
        if (OnChange) OnChange();
    }

    TFrameStyle frameStyle_ = TFrameStyle::frameRaised;
    unsigned edges_ = AllEdges;
    Color highlight_ = clBtnHighlight;
    Color shadow_ = clBtnShadow;
    Color solid_ = clBlack;
    std::uint8_t frameWidth_ = 1;
};

// A one-pixel line from (x0, y0) to (x1, y1), the end point excluded.
struct FrameLine {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    Color color = clBlack;
    friend bool operator==(const FrameLine&, const FrameLine&) = default;
};

// The lines of PaintFrame on the rectangle left, top, right, bottom (right and
// bottom exclusive), outer ring first.
std::vector<FrameLine> FrameLines(const TSkinFrame& frame, int left, int top, int right, int bottom);

}  // namespace brisbolt
