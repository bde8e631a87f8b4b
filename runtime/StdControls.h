// The standard controls the windows are built from.
#pragma once

#include <string>
#include <vector>

#include "runtime/Control.h"

namespace brisbolt {

enum class TAlignment { LeftJustify, RightJustify, Center };
// The DrawText flag of an alignment.
inline UINT DrawTextAlignment(TAlignment alignment) {
    return alignment == TAlignment::Center ? DT_CENTER : alignment == TAlignment::RightJustify ? DT_RIGHT : DT_LEFT;
}

// Text painted by its parent.
class TLabel : public TGraphicControl {
public:
    explicit TLabel(TComponent* owner);
    bool Transparent = true;
    bool WordWrap = false;
    TAlignment Alignment = TAlignment::LeftJustify;

protected:
    void Paint(TCanvas& canvas) override;
};

enum class TBevelShape { Box, Frame, TopLine, BottomLine, LeftLine, RightLine };
enum class TBevelStyle { Lowered, Raised };

class TBevel : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;
    TBevelShape Shape = TBevelShape::Box;
    TBevelStyle Style = TBevelStyle::Lowered;

protected:
    void Paint(TCanvas& canvas) override;
};

class TImage : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;
    TBitmap Picture;
    bool Stretch = false;
    bool Transparent = false;

protected:
    void Paint(TCanvas& canvas) override;
};

enum class TPanelBevel { None, Lowered, Raised };

// A container with a window of its own, a bevel and a centred caption.
class TPanel : public TWinControl {
public:
    using TWinControl::TWinControl;
    TPanelBevel BevelOuter = TPanelBevel::Raised;
    TPanelBevel BevelInner = TPanelBevel::None;
    // A panel has no click of its own: the mouse makes it.
    bool ClicksByMouse() const override { return true; }

protected:
    void PaintWindow(HDC dc) override;
};

// A native group box; it contains other controls. Its inside is filled with
// its Color, and it takes the mouse (hints and OnMouseMove) like any control.
class TGroupBox : public TWinControl {
public:
    using TWinControl::TWinControl;

protected:
    void CreateWnd() override;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void FillBackground(HDC dc);
};

class TButtonControl : public TWinControl {
public:
    explicit TButtonControl(TComponent* owner) : TWinControl(owner) { tabStop_ = true; }
    bool Checked() const { return checked_; }
    virtual void SetChecked(bool checked) = 0;

protected:
    bool checked_ = false;
};

// Checking one from code runs its OnClick, as a click does, and unchecks
// its siblings; checking the one already checked does nothing. The radio
// buttons of one container are one group: the arrow keys move within it,
// and Tab stops at the checked one (at the first while none is checked).
class TRadioButton : public TButtonControl {
public:
    using TButtonControl::TButtonControl;
    void SetChecked(bool checked) override;

protected:
    void CreateWnd() override;
    DWORD WindowStyle() const override;
    void Command(WORD code) override;

private:
    std::vector<TRadioButton*> Group() const;
    bool GroupTabStop() const;
    void UpdateGroupTabStops();
};

class TCheckBox : public TButtonControl {
public:
    using TButtonControl::TButtonControl;
    void SetChecked(bool checked) override;

protected:
    void CreateWnd() override;
    void Command(WORD code) override;
};

// DropDown: the text can be typed as well; DropDownList: only the items.
enum class TComboBoxStyle { DropDown, DropDownList };

class TComboBox : public TWinControl {
public:
    explicit TComboBox(TComponent* owner) : TWinControl(owner) { tabStop_ = true; }
    // Read when the window is made.
    TComboBoxStyle Style = TComboBoxStyle::DropDownList;
    std::vector<std::string> Items() const { return items_; }
    void SetItems(const std::vector<std::string>& items);
    int ItemIndex() const;
    void SetItemIndex(int index);
    // The selected item's text; with DropDown, what the box shows, typed text included.
    std::string Text() const;
    void SetText(const std::string& text);
    TNotifyEvent OnChange;

protected:
    void CreateWnd() override;
    void Command(WORD code) override;

private:
    std::vector<std::string> items_;
    int itemIndex_ = -1;
};

// A native multi-line text box. The settings below are read when its window
// is made.
class TMemo : public TWinControl {
public:
    explicit TMemo(TComponent* owner);
    // What the box holds now, the user's typing included.
    std::vector<std::string> Lines() const;
    void SetLines(const std::vector<std::string>& lines);
    TAlignment Alignment = TAlignment::LeftJustify;
    bool ReadOnly = false;
    // False: flat, without the sunken edge.
    bool Ctl3D = true;
    // A vertical scroll bar, for more lines than the box shows.
    bool VerticalScrollBar = false;

protected:
    void CreateWnd() override;
};

// A number field with up and down arrows.
class TSpinEdit : public TWinControl {
public:
    explicit TSpinEdit(TComponent* owner) : TWinControl(owner) { tabStop_ = true; }
    int Value() const { return value_; }
    void SetValue(int value);
    int MinValue = 0;
    int MaxValue = 100;
    int Increment = 1;
    TNotifyEvent OnChange;

    void SetBounds(int left, int top, int width, int height) override;

protected:
    void CreateWnd() override;
    void Command(WORD code) override;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    int Clamp(int value) const;
    HWND upDown_ = nullptr;
    int value_ = 0;
    bool updating_ = false;
};

}  // namespace brisbolt
