// The arithmetic of the rounded push button: property clamps, the regions of
// its face and bevel rings, the ring colours and the caption's offsets.
#pragma once

#include "skin/SystemColorTable.h"

#include <string_view>
#include <vector>

namespace brisbolt {

enum class TFShape { shCapsule, shOval, shRectangle };
enum class TTextStyle { txNone, txLowered, txRaised, txShadowed };

// A button never stays larger than this once it has been painted.
inline constexpr int MaxButtonExtent = 145;
inline int LimitButtonExtent(int extent) { return extent > MaxButtonExtent ? MaxButtonExtent : extent; }

// Clamps against the size at the moment of setting: at least 4 and at most
// half the smaller side; the radius at least 3 and at most the smaller side.
int ClampFrameWidth(int value, int width, int height);
int ClampCornerRadius(int value, int width, int height);

// A region as the window system builds it: right and bottom exclusive; for a
// rounded rectangle the corner ellipse's width and height.
struct ShapeRegion {
    enum class Kind { Rectangle, RoundRect, Ellipse };
    Kind kind = Kind::Rectangle;
    int left = 0, top = 0, right = 0, bottom = 0;
    int ellipseWidth = 0, ellipseHeight = 0;
    friend bool operator==(const ShapeRegion&, const ShapeRegion&) = default;
};

// The whole face: filled, outlined, and used to decide whether a press is on it.
ShapeRegion ButtonShapeRegion(TFShape shape, int width, int height, int cornerRadius);

// The dotted rectangle of a focused button: at least 3 pixels in, as a
// native button draws it, and far enough in that a pixel of the face lies
// beyond each of its corners, so it never crosses the outline.
ShapeRegion ButtonFocusRect(TFShape shape, int width, int height, int cornerRadius);

// Bevel rings: FrameWidth rounded up to even, ring 0 at the rim.
int ButtonRingCount(int frameWidth);
ShapeRegion ButtonRingRegion(TFShape shape, int width, int height, int cornerRadius, int ring);
// Blends from the frame colour at the rim towards the face along a quarter circle.
Rgb ButtonRingColor(Rgb frame, Rgb button, int ring, int ringCount);
std::vector<Rgb> ButtonRingColors(Rgb frame, Rgb button, int frameWidth);

// The face's one-pixel outline, and the same outline moved by (+1, +1).
struct FaceOutline {
    Color inner;
    Color moved;
};
FaceOutline ButtonFaceOutline(bool pressed);

// How the caption is drawn: an optional shadow copy, then the text, each
// shifted from the button's rectangle.
struct CaptionCopy {
    int dx = 0, dy = 0;
    Color color = clBlack;
};
struct CaptionPlan {
    bool hasShadow = false;
    CaptionCopy shadow;
    CaptionCopy text;
    bool italicOnly = false;  // disabled buttons draw italic, nothing else
};
CaptionPlan PlanButtonCaption(TTextStyle style, bool pressed, bool enabled, Color fontColor);

// The character after the caption's last single "&", the one DrawText
// underlines; "&&" stands for a literal "&". 0 when the caption marks none.
char CaptionAccelerator(std::string_view caption);

}  // namespace brisbolt
