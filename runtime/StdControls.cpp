#include "runtime/StdControls.h"

#include <commctrl.h>

#include <algorithm>
#include <charconv>

#include "runtime/SystemFunctions.h"

namespace brisbolt {

// --- TLabel, TBevel, TImage

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) { Font.SetColor(clWindowText); }

void TLabel::Paint(TCanvas& canvas) {
    RECT rect = ClientRect();
    if (!Transparent) {
        canvas.Brush.Color = color_;
        canvas.FillRect(rect);
    }
    canvas.Font.Assign(Font);
    if (!enabled_) canvas.Font.SetColor(clGrayText);
    const UINT flags = DT_EXPANDTABS | (WordWrap ? DT_WORDBREAK : DT_SINGLELINE) | DrawTextAlignment(Alignment);
    canvas.DrawText(caption_, rect, flags);
}

void TBevel::Paint(TCanvas& canvas) {
    const TColor first = Style == TBevelStyle::Lowered ? clBtnShadow : clBtnHighlight;
    const TColor second = Style == TBevelStyle::Lowered ? clBtnHighlight : clBtnShadow;
    const int w = width_, h = height_;
    auto line = [&](TColor color, int x1, int y1, int x2, int y2) {
        canvas.Pen.Color = color;
        canvas.MoveTo(x1, y1);
        canvas.LineTo(x2, y2);
    };
    switch (Shape) {
        case TBevelShape::Box:
        case TBevelShape::Frame:
            line(first, 0, h - 1, 0, 0);
            line(first, 0, 0, w - 1, 0);
            line(second, w - 1, 0, w - 1, h - 1);
            line(second, w - 1, h - 1, 0, h - 1);
            break;
        case TBevelShape::TopLine:
            line(first, 0, 0, w, 0);
            line(second, 0, 1, w, 1);
            break;
        case TBevelShape::BottomLine:
            line(first, 0, h - 2, w, h - 2);
            line(second, 0, h - 1, w, h - 1);
            break;
        case TBevelShape::LeftLine:
            line(first, 0, 0, 0, h);
            line(second, 1, 0, 1, h);
            break;
        case TBevelShape::RightLine:
            line(first, w - 2, 0, w - 2, h);
            line(second, w - 1, 0, w - 1, h);
            break;
    }
}

void TImage::Paint(TCanvas& canvas) {
    if (Picture.Empty()) return;
    if (Stretch) {
        canvas.StretchDraw(ClientRect(), Picture);
        return;
    }
    Picture.Transparent = Transparent;
    canvas.Draw(0, 0, Picture);
}

// --- TPanel, TGroupBox

void TPanel::PaintWindow(HDC dc) {
    TWinControl::PaintWindow(dc);
    RECT rect;
    GetClientRect(hwnd_, &rect);
    auto drawBevel = [dc, &rect](TPanelBevel bevel) {
        if (bevel == TPanelBevel::None) return;
        DrawEdge(dc, &rect, bevel == TPanelBevel::Raised ? BDR_RAISEDINNER : BDR_SUNKENOUTER, BF_RECT);
        InflateRect(&rect, -1, -1);
    };
    drawBevel(BevelOuter);
    drawBevel(BevelInner);
    TCanvas canvas(dc);
    canvas.Font.Assign(Font);
    canvas.DrawText(caption_, rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void TGroupBox::CreateWnd() { CreateSystemWindow("BUTTON", BS_GROUPBOX, WS_EX_CONTROLPARENT); }

void TGroupBox::FillBackground(HDC dc) { TWinControl::PaintWindow(dc); }

LRESULT TGroupBox::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        // The system's group box leaves its inside unpainted and lets the
        // mouse fall through to the window beneath.
        case WM_ERASEBKGND: FillBackground(reinterpret_cast<HDC>(wp)); return 1;
        case WM_PRINTCLIENT: FillBackground(reinterpret_cast<HDC>(wp)); break;
        case WM_NCHITTEST: return HTCLIENT;
        default: break;
    }
    return TWinControl::WndProc(msg, wp, lp);
}

// --- TRadioButton, TCheckBox

void TRadioButton::CreateWnd() {
    CreateSystemWindow("BUTTON", BS_RADIOBUTTON);
    SendMessageA(hwnd_, BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
    UpdateGroupTabStops();
}

std::vector<TRadioButton*> TRadioButton::Group() const {
    std::vector<TRadioButton*> group;
    if (!parent_) return group;
    for (TControl* sibling : parent_->Controls())
        if (auto* radio = dynamic_cast<TRadioButton*>(sibling)) group.push_back(radio);
    return group;
}

bool TRadioButton::GroupTabStop() const {
    if (!tabStop_) return false;
    if (checked_) return true;
    const std::vector<TRadioButton*> group = Group();
    for (const TRadioButton* radio : group)
        if (radio->checked_) return false;
    return !group.empty() && group.front() == this;
}

DWORD TRadioButton::WindowStyle() const {
    DWORD style = TButtonControl::WindowStyle() & ~(WS_TABSTOP | WS_GROUP);
    const std::vector<TRadioButton*> group = Group();
    if (group.empty() || group.front() == this) style |= WS_GROUP;
    return style | (GroupTabStop() ? WS_TABSTOP : 0);
}

void TRadioButton::UpdateGroupTabStops() {
    // The system's button sets and clears the bit itself when checked; the
    // rule here is the same and covers a group with none checked.
    for (TRadioButton* radio : Group()) {
        if (!radio->hwnd_) continue;
        const LONG style = GetWindowLongA(radio->hwnd_, GWL_STYLE);
        const LONG wanted = radio->GroupTabStop() ? style | WS_TABSTOP : style & ~WS_TABSTOP;
        if (wanted != style) SetWindowLongA(radio->hwnd_, GWL_STYLE, wanted);
    }
}

void TRadioButton::SetChecked(bool checked) {
    if (checked == checked_) return;
    checked_ = checked;
    if (hwnd_) SendMessageA(hwnd_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    if (checked)
        for (TRadioButton* radio : Group())
            if (radio != this) radio->SetChecked(false);
    UpdateGroupTabStops();
    if (checked) Click();
}

void TRadioButton::Command(WORD code) {
    if (code == BN_CLICKED) SetChecked(true);
}

void TCheckBox::CreateWnd() {
    CreateSystemWindow("BUTTON", BS_CHECKBOX);
    SendMessageA(hwnd_, BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TCheckBox::SetChecked(bool checked) {
    if (checked == checked_) return;
    checked_ = checked;
    if (hwnd_) SendMessageA(hwnd_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    Click();
}

void TCheckBox::Command(WORD code) {
    if (code == BN_CLICKED) SetChecked(!checked_);
}

// --- TComboBox

void TComboBox::CreateWnd() {
    const DWORD style = Style == TComboBoxStyle::DropDown ? CBS_DROPDOWN | CBS_AUTOHSCROLL : CBS_DROPDOWNLIST;
    CreateSystemWindow("COMBOBOX", style | WS_VSCROLL);
    // The height of a drop-down list box includes its open list.
    MoveWindow(hwnd_, left_, top_, width_, std::max(height_, 200), FALSE);
    for (const auto& item : items_) SendMessageA(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    SendMessageA(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(itemIndex_), 0);
    if (Style == TComboBoxStyle::DropDown && itemIndex_ < 0) SetWindowTextA(hwnd_, caption_.c_str());
}

int TComboBox::ItemIndex() const {
    // Typing into the box takes the selection away.
    if (hwnd_ && Style == TComboBoxStyle::DropDown) return static_cast<int>(SendMessageA(hwnd_, CB_GETCURSEL, 0, 0));
    return itemIndex_;
}

void TComboBox::SetText(const std::string& text) {
    if (Style == TComboBoxStyle::DropDownList) {
        const auto found = std::find(items_.begin(), items_.end(), text);
        SetItemIndex(found == items_.end() ? -1 : static_cast<int>(found - items_.begin()));
        return;
    }
    itemIndex_ = -1;
    SetCaption(text);
}

void TComboBox::SetItems(const std::vector<std::string>& items) {
    items_ = items;
    itemIndex_ = -1;
    if (!hwnd_) return;
    SendMessageA(hwnd_, CB_RESETCONTENT, 0, 0);
    for (const auto& item : items_) SendMessageA(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

void TComboBox::SetItemIndex(int index) {
    if (index < -1 || index >= static_cast<int>(items_.size())) index = -1;
    itemIndex_ = index;
    if (index >= 0) caption_ = items_[static_cast<std::size_t>(index)];
    if (hwnd_) SendMessageA(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

std::string TComboBox::Text() const {
    if (Style == TComboBoxStyle::DropDown) {
        if (!hwnd_) return caption_;
        std::string text(static_cast<std::size_t>(SendMessageA(hwnd_, WM_GETTEXTLENGTH, 0, 0)) + 1, '\0');
        text.resize(static_cast<std::size_t>(
            SendMessageA(hwnd_, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
        return text;
    }
    return itemIndex_ >= 0 ? items_[static_cast<std::size_t>(itemIndex_)] : std::string();
}

void TComboBox::Command(WORD code) {
    if (code != CBN_SELCHANGE) return;
    itemIndex_ = static_cast<int>(SendMessageA(hwnd_, CB_GETCURSEL, 0, 0));
    if (OnChange) OnChange(this);
}

// --- TMemo

TMemo::TMemo(TComponent* owner) : TWinControl(owner) {
    color_ = clWindow;
    tabStop_ = true;
}

void TMemo::CreateWnd() {
    DWORD style = ES_MULTILINE | (ReadOnly ? ES_READONLY : 0);
    if (Alignment == TAlignment::Center) style |= ES_CENTER;
    if (Alignment == TAlignment::RightJustify) style |= ES_RIGHT;
    if (VerticalScrollBar) style |= WS_VSCROLL | ES_AUTOVSCROLL;
    CreateSystemWindow("EDIT", style, Ctl3D ? WS_EX_CLIENTEDGE : 0);
}

void TMemo::SetLines(const std::vector<std::string>& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) text += (i ? "\r\n" : "") + lines[i];
    SetCaption(text);
}

std::vector<std::string> TMemo::Lines() const {
    std::string text = caption_;
    if (hwnd_) {
        text.assign(static_cast<std::size_t>(SendMessageA(hwnd_, WM_GETTEXTLENGTH, 0, 0)) + 1, '\0');
        text.resize(static_cast<std::size_t>(
            SendMessageA(hwnd_, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    }
    std::vector<std::string> lines;
    if (text.empty()) return lines;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find("\r\n", start);
        lines.push_back(text.substr(start, end - start));
        if (end == std::string::npos) return lines;
        start = end + 2;
    }
}

// --- TSpinEdit

int TSpinEdit::Clamp(int value) const {
    if (MaxValue < MinValue) return value;
    return std::clamp(value, MinValue, MaxValue);
}

void TSpinEdit::CreateWnd() {
    InitCommonControlClasses(ICC_UPDOWN_CLASS);
    caption_ = std::to_string(value_);
    CreateSystemWindow("EDIT", ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE);
    if (!hwnd_) return;
    // The arrows write the number into the field, which reports the change.
    upDown_ =
        CreateWindowExA(0, UPDOWN_CLASSA, "",
                        WS_CHILD | WS_VISIBLE | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS | UDS_SETBUDDYINT, 0,
                        0, 0, 0, GetParent(hwnd_), nullptr, ProgramInstance(), nullptr);
    SendMessageA(upDown_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(hwnd_), 0);
    // COMCTL32 before 4.71 knows only the 16-bit range.
    SendMessageA(upDown_, UDM_SETRANGE, 0,
                 MAKELPARAM(std::clamp(MaxValue, -32767, 32767), std::clamp(MinValue, -32767, 32767)));
    SendMessageA(upDown_, UDM_SETRANGE32, static_cast<WPARAM>(MinValue), MaxValue);
    SendMessageA(upDown_, UDM_SETPOS, 0, MAKELPARAM(std::clamp(value_, -32767, 32767), 0));
    if (Increment > 1) {
        UDACCEL step{0, static_cast<UINT>(Increment)};
        SendMessageA(upDown_, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&step));
    }
}

void TSpinEdit::SetBounds(int left, int top, int width, int height) {
    TWinControl::SetBounds(left, top, width, height);
    if (upDown_) SendMessageA(upDown_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(hwnd_), 0);
}

void TSpinEdit::SetValue(int value) {
    value = Clamp(value);
    if (value == value_ && hwnd_ && caption_ == std::to_string(value)) return;
    value_ = value;
    updating_ = true;
    SetCaption(std::to_string(value));
    updating_ = false;
    if (OnChange) OnChange(this);
}

void TSpinEdit::Command(WORD code) {
    if (code != EN_CHANGE || updating_) return;
    char text[32] = {};
    GetWindowTextA(hwnd_, text, sizeof text);
    caption_ = text;
    int value = 0;
    const char* end = text + std::char_traits<char>::length(text);
    auto [stop, error] = std::from_chars(text, end, value);
    // Keeps the last good number while the field is being typed into.
    if (error == std::errc() && stop == end) value_ = Clamp(value);
    if (OnChange) OnChange(this);
}

LRESULT TSpinEdit::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_KILLFOCUS && !updating_) {
        // Leaving the field shows the number actually held.
        const LRESULT result = TWinControl::WndProc(msg, wp, lp);
        updating_ = true;
        SetCaption(std::to_string(value_));
        updating_ = false;
        return result;
    }
    if (msg == WM_NCDESTROY) upDown_ = nullptr;
    return TWinControl::WndProc(msg, wp, lp);
}

}  // namespace brisbolt
