#include "skin/RoundedButtonMath.h"

#include "skin/SkinMath.h"

#include <algorithm>
#include <cmath>

namespace brisbolt {

int ClampFrameWidth(int value, int width, int height) {
    int half = std::min(width, height) / 2;
    if (value < 4) value = 4;
    if (half < value) value = half;
    return value;
}

int ClampCornerRadius(int value, int width, int height) {
    int smaller = std::min(width, height);
    if (value < 3) value = 3;
    if (smaller < value) value = smaller;
    return value;
}

ShapeRegion ButtonShapeRegion(TFShape shape, int width, int height, int cornerRadius) {
    using K = ShapeRegion::Kind;
    switch (shape) {
        case TFShape::shCapsule: {
            int m = std::min(width, height);
            return {K::RoundRect, 0, 0, width, height, m, m};
        }
        case TFShape::shOval: return {K::Ellipse, 0, 0, width, height, 0, 0};
        case TFShape::shRectangle: break;
    }
    if (cornerRadius * 2 == 0) return {K::Rectangle, 0, 0, width - 1, height - 1, 0, 0};
    return {K::RoundRect, 0, 0, width, height, 2 * cornerRadius, 2 * cornerRadius};
}

namespace {
// Whether the centre of pixel (x, y) lies on the shape, as a curve drawn
// through the region's corners.
bool OnFace(const ShapeRegion& face, int x, int y) {
    const double px = x + 0.5, py = y + 0.5;
    if (px < face.left || py < face.top || px > face.right || py > face.bottom) return false;
    double rx = 0, ry = 0;
    if (face.kind == ShapeRegion::Kind::Ellipse) {
        rx = (face.right - face.left) / 2.0;
        ry = (face.bottom - face.top) / 2.0;
    } else if (face.kind == ShapeRegion::Kind::RoundRect) {
        // The system narrows a corner ellipse larger than the rectangle.
        rx = std::min(face.ellipseWidth, face.right - face.left) / 2.0;
        ry = std::min(face.ellipseHeight, face.bottom - face.top) / 2.0;
    }
    if (rx <= 0 || ry <= 0) return true;
    // How far into a corner's quarter the point lies; nothing along the
    // straight edges.
    const double dx = std::max({face.left + rx - px, px - (face.right - rx), 0.0}) / rx;
    const double dy = std::max({face.top + ry - py, py - (face.bottom - ry), 0.0}) / ry;
    return dx * dx + dy * dy <= 1.0;
}
}  // namespace

ShapeRegion ButtonFocusRect(TFShape shape, int width, int height, int cornerRadius) {
    const ShapeRegion face = ButtonShapeRegion(shape, width, height, cornerRadius);
    int inset = 3;
    // The pixel just outside the rectangle's corner must be on the face.
    while (inset < std::min(width, height) / 2 && !OnFace(face, inset - 1, inset - 1)) ++inset;
    return {ShapeRegion::Kind::Rectangle, inset, inset, width - inset, height - inset, 0, 0};
}

int ButtonRingCount(int frameWidth) { return frameWidth % 2 ? frameWidth + 1 : frameWidth; }

ShapeRegion ButtonRingRegion(TFShape shape, int width, int height, int cornerRadius, int ring) {
    using K = ShapeRegion::Kind;
    const int i = ring;
    if (shape == TFShape::shOval) return {K::Ellipse, i + 1, i + 1, width - i, height - i, 0, 0};
    int h = (shape == TFShape::shCapsule ? std::min(width, height) / 2 : cornerRadius) - i;
    if (h > 0) return {K::RoundRect, i + 1, i + 1, width - i, height - i, 2 * h, 2 * h};
    return {K::Rectangle, i + 1, i + 1, width - i - 1, height - i - 1, 0, 0};
}

Rgb ButtonRingColor(Rgb frame, Rgb button, int ring, int ringCount) {
    double n = ringCount;
    double inward = n - ring;
    double t = std::sqrt(std::max(0.0, n * n - inward * inward)) / n;
    auto blend = [t](std::uint8_t from, std::uint8_t to) {
        int c = from + RoundHalfEven((int(to) - int(from)) * t);
        return static_cast<std::uint8_t>(std::clamp(c, 0, 255));
    };
    return {blend(frame.r, button.r), blend(frame.g, button.g), blend(frame.b, button.b)};
}

std::vector<Rgb> ButtonRingColors(Rgb frame, Rgb button, int frameWidth) {
    int n = ButtonRingCount(frameWidth);
    std::vector<Rgb> colors;
    for (int i = 0; i < n; ++i) colors.push_back(ButtonRingColor(frame, button, i, n));
    return colors;
}

FaceOutline ButtonFaceOutline(bool pressed) {
    if (pressed) return {clBlack, clBtnHighlight};
    return {clBtnShadow, clBtnShadow};
}

CaptionPlan PlanButtonCaption(TTextStyle style, bool pressed, bool enabled, Color fontColor) {
    CaptionPlan plan;
    plan.italicOnly = !enabled;
    if (style == TTextStyle::txNone) {
        int shift = pressed ? 1 : 0;
        plan.text = {shift, shift, enabled ? fontColor : clGray};
        return plan;
    }
    int offset = 0;
    switch (style) {
        case TTextStyle::txLowered: offset = pressed ? 2 : 1; break;
        case TTextStyle::txRaised: offset = pressed ? -2 : -1; break;
        case TTextStyle::txShadowed: offset = pressed ? 3 : 2; break;
        case TTextStyle::txNone: break;
    }
    plan.hasShadow = true;
    plan.shadow = {offset, offset, enabled ? clBlack : clGray};
    plan.text = {0, 0, fontColor};
    return plan;
}

char CaptionAccelerator(std::string_view caption) {
    char accelerator = 0;
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] != '&') accelerator = caption[i + 1];
        ++i;  // the character after "&" is never a marker itself
    }
    return accelerator;
}

}  // namespace brisbolt
