#include "tuning/frmFindMtu.h"

#include "platform/NearbyHost.h"
#include "resources/ResourceNames.h"
#include "skin/WindowParts.h"
#include "app/Services.h"

namespace brisbolt {

namespace {
constexpr int ClientWidth = 331, ClientHeight = 182;
constexpr const char* Waiting = "Press Start to measure the line to this host.";

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}
}  // namespace

TfrmFindMtu::TfrmFindMtu(TComponent* owner, const std::string& host) : TForm(owner) {
    SetUpWindow(*this, "frmFindMtu", "Brisbolt - Find the MTU", ClientWidth, ClientHeight);
    SetColor(clBlack);
    // The About box's skin: a small window of the same family.
    ShapedForm1 = NewSkin(this, resources::SkinAbout, resources::MaskAbout);

    lblHost = new TLabel(this);
    lblHost->Name = "lblHost";
    lblHost->SetParent(this);
    lblHost->SetBounds(18, 57, 34, 16);
    SetFontOf(lblHost->Font, clSilver, -11, fsBold);
    lblHost->SetCaption("Host:");

    comboHost = new TComboBox(this);
    comboHost->Name = "comboHost";
    comboHost->SetParent(this);
    comboHost->Style = TComboBoxStyle::DropDown;
    comboHost->SetBounds(56, 53, 168, 21);
    SetFontOf(comboHost->Font, clWindowText, -11, 0);
    const std::string nearby = FindNearbyHost();
    if (!nearby.empty()) comboHost->SetItems({nearby});
    comboHost->SetText(host.empty() ? nearby : host);

    btnStart = NewButton(this, this, TitleButtonLook, "btnStart", 232, 51, 82, 25, "Start",
                         "Send pings of growing size to the host.");
    btnStart->OnClick = [this](TComponent* sender) { btnStartClick(sender); };

    memoProgress = new TMemo(this);
    memoProgress->Name = "memoProgress";
    memoProgress->SetParent(this);
    memoProgress->SetBounds(20, 81, 294, 56);
    memoProgress->ReadOnly = true;
    // A found MTU comes with what it means: more lines than fit.
    memoProgress->VerticalScrollBar = true;
    memoProgress->SetTabStop(false);
    memoProgress->Ctl3D = false;
    memoProgress->SetColor(clBlack);
    SetFontOf(memoProgress->Font, clLime, -11, 0, "Arial");
    memoProgress->SetLines({Waiting});

    btnUseMtu = NewButton(this, this, ActionButtonLook, "btnUseMtu", 36, 140, 127, 31, "Use this MTU");
    btnUseMtu->OnClick = [this](TComponent* sender) { btnUseMtuClick(sender); };
    btnUseMtu->SetEnabled(false);
    btnCancel = NewButton(this, this, ActionButtonLook, "btnCancel", 171, 140, 127, 31, "CANCEL");
    btnCancel->OnClick = [this](TComponent* sender) { btnCancelClick(sender); };

    MtuProbe1 = new TMtuProbe(this);
    MtuProbe1->Name = "MtuProbe1";
    MtuProbe1->OnProgress = [this](TComponent* s, const MtuProgress& p) { MtuProbe1Progress(s, p); };
    MtuProbe1->OnResult = [this](TComponent* s, const MtuResult& r) { MtuProbe1Result(s, r); };

    SetTabOrder({comboHost, btnStart, btnUseMtu, btnCancel});
    ActiveControl = comboHost;
    CancelControl = btnCancel;
    // Alt+F4: the search stops with the window.
    OnClose = [this](TComponent*, TCloseAction&) { MtuProbe1->Cancel(); };
}

void TfrmFindMtu::btnStartClick(TComponent*) {
    if (MtuProbe1->Busy()) return;
    PlayClick();
    searchedHost_ = Trimmed(comboHost->Text());
    foundMtu_ = 0;
    btnUseMtu->SetEnabled(false);
    if (searchedHost_.empty()) {
        ShowLines("Type the name or the address of a host that answers pings: your router, or your provider's.");
        return;
    }
    ShowLines("Looking up " + searchedHost_ + "...");
    // Start stays enabled (a second press while searching does nothing), so
    // the keyboard never loses its place.
    if (!MtuProbe1->Start(searchedHost_)) ShowLines("The search could not be started.");
}

void TfrmFindMtu::MtuProbe1Progress(TComponent*, const MtuProgress& progress) {
    ShowLines("Measuring the line to " + searchedHost_ + ": step " + std::to_string(progress.step) + " of about " +
              std::to_string(progress.steps) + ".\n" + progress.text);
}

void TfrmFindMtu::MtuProbe1Result(TComponent*, const MtuResult& result) {
    ShowLines(DescribeMtuResult(result, searchedHost_));
    if (result.outcome != MtuOutcome::Found) return;
    foundMtu_ = result.mtu;
    btnUseMtu->SetEnabled(true);
}

void TfrmFindMtu::btnUseMtuClick(TComponent*) {
    if (foundMtu_ <= 0) return;
    PlayClick();
    ModalResult = mrOk;
}

void TfrmFindMtu::btnCancelClick(TComponent*) {
    PlayClick();
    MtuProbe1->Cancel();
    ModalResult = mrCancel;
}

void TfrmFindMtu::ShowLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    lines.push_back(text.substr(start));
    memoProgress->SetLines(lines);
}

std::string TfrmFindMtu::ProgressText() const {
    std::string text;
    for (const std::string& line : memoProgress->Lines()) text += (text.empty() ? "" : "\n") + line;
    return text;
}

}  // namespace brisbolt
