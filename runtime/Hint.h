// The window that shows a control's hint. The application makes one through
// its HintWindowClass; a skinned bubble replaces this plain one.
#pragma once

#include <windows.h>

#include <string>

#include "runtime/Graphics.h"
#include "runtime/Window.h"

namespace brisbolt {

class THintWindow : public MessageTarget {
public:
    THintWindow();
    ~THintWindow() override = default;
    THintWindow(const THintWindow&) = delete;
    THintWindow& operator=(const THintWindow&) = delete;

    // The window's screen rectangle for a text, placed at 0, 0.
    virtual RECT CalcHintRect(int maxWidth, const std::string& text);
    // Shows the text in the given screen rectangle.
    virtual void ActivateHint(const RECT& rect, const std::string& text);
    // Hides the window.
    virtual void ReleaseHandle();

    HWND Handle() const { return hwnd_; }
    const std::string& Caption() const { return caption_; }
    TColor Color = clInfoBk;
    TFont Font;

protected:
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    virtual LRESULT OnPaint();
    virtual void Paint(TCanvas& canvas);
    void EnsureWindow();

    UniqueWindow window_;
    std::string caption_;
};

}  // namespace brisbolt
