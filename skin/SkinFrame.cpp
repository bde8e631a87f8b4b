#include "skin/SkinFrame.h"

namespace brisbolt {

void TSkinFrame::SetFrameStyle(TFrameStyle value) {
    frameStyle_ = value;
    Changed();
}
void TSkinFrame::SetEdges(unsigned value) {
    edges_ = value & AllEdges;
    Changed();
}
void TSkinFrame::SetHighlight(Color value) {
    highlight_ = value;
    Changed();
}
void TSkinFrame::SetShadow(Color value) {
    shadow_ = value;
    Changed();
}
void TSkinFrame::SetSolid(Color value) {
    solid_ = value;
    Changed();
}
void TSkinFrame::SetFrameWidth(std::uint8_t value) {
    if (value == 0) return;
    frameWidth_ = value;
    Changed();
}
void TSkinFrame::Assign(const TSkinFrame& other) {
    frameStyle_ = other.frameStyle_;
    edges_ = other.edges_;
    highlight_ = other.highlight_;
    shadow_ = other.shadow_;
    solid_ = other.solid_;
    frameWidth_ = other.frameWidth_;
    Changed();
}

int TSkinFrame::FrameInset() const {
    switch (frameStyle_) {
        case TFrameStyle::frameNone: return 0;
        case TFrameStyle::frameFramedUp:
        case TFrameStyle::frameFramedDown:
        case TFrameStyle::framePanelUp:
        case TFrameStyle::framePanelDown:
        case TFrameStyle::frameLightBordered: return 2 * frameWidth_;
        default: return frameWidth_;
    }
}

namespace {

struct Pass {
    Color topLeft, bottomRight;
};

}  // namespace

std::vector<FrameLine> FrameLines(const TSkinFrame& frame, int left, int top, int right, int bottom) {
    const Color hi = frame.Highlight(), sh = frame.Shadow();
    std::vector<Pass> passes;
    switch (frame.FrameStyle()) {
        case TFrameStyle::frameSolid: passes = {{frame.Solid(), frame.Solid()}}; break;
        case TFrameStyle::frameRaised: passes = {{hi, sh}}; break;
        case TFrameStyle::frameLowered: passes = {{sh, hi}}; break;
        case TFrameStyle::frameNone: break;
        case TFrameStyle::frameFramedUp: passes = {{hi, sh}, {sh, hi}}; break;
        case TFrameStyle::frameFramedDown: passes = {{sh, hi}, {hi, sh}}; break;
        case TFrameStyle::framePanelUp: passes = {{hi, clBlack}, {clNone, sh}}; break;
        case TFrameStyle::framePanelDown: passes = {{sh, clNone}, {clBlack, hi}}; break;
        case TFrameStyle::frameLightBordered: passes = {{clNone, sh}, {hi, hi}}; break;
    }
    // Inclusive corners.
    int L = left, T = top, R = right - 1, B = bottom - 1;
    const unsigned edges = frame.Edges();
    std::vector<FrameLine> lines;
    for (const Pass& pass : passes) {
        for (int ring = 0; ring < frame.FrameWidth(); ++ring) {
            if (pass.topLeft != clNone) {
                if (edges & EdgeLeft) lines.push_back({L, B, L, T, pass.topLeft});
                if (edges & EdgeTop) lines.push_back({L, T, R, T, pass.topLeft});
            }
            if (pass.bottomRight != clNone) {
                if (edges & EdgeRight) lines.push_back({R, T, R, B, pass.bottomRight});
                if (edges & EdgeBottom) lines.push_back({R, B, L - 1, B, pass.bottomRight});
            }
            ++L, ++T, --R, --B;
        }
    }
    return lines;
}

}  // namespace brisbolt
