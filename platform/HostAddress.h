// This machine's address, looked up by its host name through WinSock 1.1.
// WinSock is loaded when the address is first asked for rather than with
// the program, so that the start does not wait for it; where WSOCK32.DLL
// cannot be loaded there is simply no address.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "runtime/Component.h"
#include "runtime/Window.h"

struct hostent;

namespace brisbolt {

// The dotted address; empty when the host's entry holds none.
using TAddressEvent = std::function<void(TComponent* sender, const std::string& address)>;

class THostAddress : public TComponent, private MessageTarget {
public:
    explicit THostAddress(TComponent* owner);
    // Cancels a lookup still under way.
    ~THostAddress() override;

    // Asks for the address without waiting (the name lookup may take
    // seconds, or dial out); OnAnswer gets it. False when no lookup could be
    // started. A lookup under way goes on and is not asked for again.
    bool Start();
    // Gives up a lookup under way: no answer comes for it.
    void Cancel();
    bool Busy() const { return request_ != nullptr; }

    // Raised once per lookup when the name resolves; not at all otherwise.
    TAddressEvent OnAnswer;

    // Blocks until the host name is looked up; empty when it is not.
    static std::string LookUp();
    // The last address of a host's list in dotted form; empty for none.
    static std::string LastAddressOf(const hostent* host);

    // WinSock's answer to the lookup (wParam the request), sent to our own
    // window.
    static constexpr UINT AnswerMessage = WM_APP + 1;

private:
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    void TakeAnswer(HANDLE request, LPARAM result);
    void End();

    // The request under way: WinSock is started for it and fills the
    // buffer when it answers.
    HANDLE request_ = nullptr;
    std::unique_ptr<char[]> buffer_;
    bool winsockStarted_ = false;
    // Last: it may receive messages as soon as it exists.
    UniqueWindow window_{CreateMessageWindow(this)};
};

}  // namespace brisbolt
