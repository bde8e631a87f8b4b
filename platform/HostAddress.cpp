#include "platform/HostAddress.h"

#include <winsock.h>

#include <utility>

#include "platform/WinSock.h"

namespace brisbolt {

namespace {

// A cancelled request may still be writing its buffer (not every WinSock
// stops at once), so the buffer is left to it and never freed: a kilobyte
// per cancelled lookup, and the program cancels one at most, when it ends
// before the answer.
void LeaveToCancelledRequest(std::unique_ptr<char[]> buffer) { static_cast<void>(buffer.release()); }

}  // namespace

THostAddress::THostAddress(TComponent* owner) : TComponent(owner) {}

THostAddress::~THostAddress() { Cancel(); }

bool THostAddress::Start() {
    if (Busy()) return true;
    const WinSock& winsock = TheWinSock();
    winsockStarted_ = winsock.Start();
    if (!winsockStarted_) return false;
    char hostName[64] = {};
    if (window_ && winsock.hostName(hostName, sizeof hostName) == 0) {
        buffer_ = std::make_unique<char[]>(MAXGETHOSTSTRUCT);
        request_ = winsock.asyncHostByName(window_.get(), AnswerMessage, hostName, buffer_.get(), MAXGETHOSTSTRUCT);
    }
    if (!request_) End();
    return Busy();
}

void THostAddress::Cancel() {
    if (request_) {
        TheWinSock().cancelAsync(request_);
        LeaveToCancelledRequest(std::move(buffer_));
    }
    End();
}

void THostAddress::End() {
    request_ = nullptr;
    buffer_.reset();
    if (winsockStarted_) TheWinSock().cleanup();
    winsockStarted_ = false;
}

LRESULT THostAddress::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == AnswerMessage) {
        TakeAnswer(reinterpret_cast<HANDLE>(wp), lp);
        return 0;
    }
    return DefaultProc(msg, wp, lp);
}

void THostAddress::TakeAnswer(HANDLE request, LPARAM result) {
    // The answer to a cancelled request may be in the queue already.
    if (!request_ || request != request_) return;
    // Taken before the event, which may start the next lookup.
    const bool resolved = WSAGETASYNCERROR(result) == 0;
    const std::string address = resolved ? LastAddressOf(reinterpret_cast<const hostent*>(buffer_.get())) : "";
    End();
    if (resolved && OnAnswer) OnAnswer(this, address);
}

std::string THostAddress::LookUp() {
    WinSockScope winsock;
    if (!winsock.Started()) return {};
    char hostName[64] = {};
    if (TheWinSock().hostName(hostName, sizeof hostName) != 0) return {};
    return LastAddressOf(TheWinSock().hostByName(hostName));
}

std::string THostAddress::LastAddressOf(const hostent* host) {
    std::string address;
    if (!host || !host->h_addr_list) return address;
    for (char** entry = host->h_addr_list; *entry; ++entry) address = DottedAddress(*entry);
    return address;
}

}  // namespace brisbolt
