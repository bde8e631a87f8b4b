#include "skin/ShapedForm.h"

namespace brisbolt {

TShapedForm::TShapedForm(TComponent* owner) : TImage(owner), mask_(std::make_unique<TShapedRegion>(this)) {}

TShapedForm::~TShapedForm() = default;

TForm* TShapedForm::ParentForm() const { return dynamic_cast<TForm*>(parent_); }

void TShapedForm::SetParent(TWinControl* parent) {
    TImage::SetParent(parent);
    if (!parent) return;
    TForm* form = ParentForm();
    if (!form) throw std::runtime_error("Please Drop on a Form");
    form->BorderStyle = TBorderStyle::None;
    if (form->HandleAllocated()) {
        // The window exists already: take its frame away now.
        HWND hwnd = form->Handle();
        const LONG style = GetWindowLongA(hwnd, GWL_STYLE);
        SetWindowLongA(hwnd, GWL_STYLE, (style & ~(WS_OVERLAPPEDWINDOW | WS_DLGFRAME)) | WS_POPUP);
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    }
    // Fills the whole client area.
    SetBounds(0, 0, form->Width(), form->Height());
}

void TShapedForm::Loaded() {
    TImage::Loaded();
    ApplyMask();
}

void TShapedForm::SetMask(const TShapedRegion* mask) {
    if (mask && mask != mask_.get()) mask_->SetFromRegion(mask->Region());
    ApplyMask();
}

void TShapedForm::ApplyMask() {
    TForm* form = ParentForm();
    if (Designing() || !form) return;
    UniqueRegion copy = mask_->Copy();
    // The window owns the region from here on; ours stays for writing.
    if (SetWindowRgn(form->Handle(), copy.get(), TRUE)) static_cast<void>(copy.release());
}

void TShapedForm::SetPicture(const TBitmap& picture) {
    Picture.Assign(picture);
    PictureChanged();
}

bool TShapedForm::LoadPictureFromResource(const char* name) {
    // Straight into the picture, with no copy: a window's start waits for
    // this. A name that holds no bitmap leaves the picture as it was.
    if (!Picture.LoadFromResource(name)) return false;
    PictureChanged();
    return true;
}

void TShapedForm::PictureChanged() {
    if (Picture.Empty()) return;
    const int w = Picture.Width(), h = Picture.Height();
    if (TForm* form = ParentForm()) form->SetBounds(form->Left(), form->Top(), w, h);
    SetBounds(0, 0, w, h);
    Invalidate();
}

void TShapedForm::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TImage::MouseDown(button, shift, x, y);
    pressX_ = x;
    pressY_ = y;
}

void TShapedForm::MouseMove(TShiftState shift, int x, int y) {
    TImage::MouseMove(shift, x, y);
    TForm* form = ParentForm();
    // The left button alone drags; any other button or key held does not.
    if (!Moveable || !form || shift != ssLeft) return;
    form->SetBounds(form->Left() + (x - pressX_), form->Top() + (y - pressY_), form->Width(), form->Height());
    if (form->HandleAllocated()) SendMessageA(form->Handle(), WM_PAINT, 0, 0);
}

}  // namespace brisbolt
