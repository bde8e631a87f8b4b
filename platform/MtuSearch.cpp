#include "platform/MtuSearch.h"

namespace brisbolt {

namespace {

// The reachability echo, the first large one, ten halvings of the range and
// the two confirmations; retries come on top.
constexpr int ExpectedEchoes = 14;

class Search {
public:
    Search(EchoLine& line, const MtuSearchHooks& hooks) : line_(line), hooks_(hooks) {}

    bool Cancelled() const { return hooks_.cancelled && hooks_.cancelled(); }

    // One echo, sent again once when it times out: a single lost packet
    // must not be taken for a size that does not pass. Empty when cancelled.
    bool Probe(int dataBytes, bool dontFragment, EchoReply& reply) {
        for (int attempt = 0; attempt < 2; ++attempt) {
            if (Cancelled()) return false;
            Report(dataBytes, dontFragment, attempt > 0);
            reply = line_.Echo(dataBytes, dontFragment);
            if (reply.kind != EchoReply::Kind::TimedOut) break;
        }
        return true;
    }

    void NoteFailure(const EchoReply& reply, MtuResult& result) {
        result.stoppedBy = reply;
        result.stoppedBySeen = true;
    }

private:
    void Report(int dataBytes, bool dontFragment, bool again) {
        ++step_;
        if (!hooks_.progress) return;
        MtuProgress progress;
        progress.step = step_;
        progress.steps = step_ > ExpectedEchoes ? step_ : ExpectedEchoes;
        if (!dontFragment)
            progress.text = "Does the host answer?";
        else
            progress.text = std::string(again ? "Again: " : "Trying ") + std::to_string(dataBytes) + " bytes (MTU " +
                            std::to_string(dataBytes + EchoHeaderBytes) + ")...";
        hooks_.progress(progress);
    }

    EchoLine& line_;
    const MtuSearchHooks& hooks_;
    int step_ = 0;
};

MtuResult Ended(MtuOutcome outcome) {
    MtuResult result;
    result.outcome = outcome;
    return result;
}

}  // namespace

EchoReply::Kind EchoKindOf(std::uint32_t status) {
    switch (status) {
        case IpSuccess: return EchoReply::Kind::Success;
        case IpPacketTooBig: return EchoReply::Kind::TooBig;
        case IpRequestTimedOut: return EchoReply::Kind::TimedOut;
        default: return EchoReply::Kind::Other;
    }
}

MtuResult FindLargestPacket(const std::string& host, EchoLine& line, const MtuSearchHooks& hooks) {
    Search search(line, hooks);
    if (search.Cancelled()) return Ended(MtuOutcome::Cancelled);
    switch (line.Open(host)) {
        case LineOpening::Open: break;
        case LineOpening::NoTcpIp: return Ended(MtuOutcome::NoTcpIp);
        case LineOpening::NoIcmp: return Ended(MtuOutcome::NoIcmp);
        case LineOpening::UnknownHost: return Ended(MtuOutcome::UnknownHost);
    }

    MtuResult result;
    EchoReply reply;
    if (!search.Probe(ReachabilityEchoData, false, reply)) return Ended(MtuOutcome::Cancelled);
    if (reply.kind != EchoReply::Kind::Success) {
        result.outcome = MtuOutcome::NoAnswer;
        search.NoteFailure(reply, result);
        return result;
    }

    // Most lines carry Ethernet's 1500: one echo settles it.
    int best = 0;
    if (!search.Probe(LargestSearchedData, true, reply)) return Ended(MtuOutcome::Cancelled);
    if (reply.kind == EchoReply::Kind::Success) {
        best = LargestSearchedData;
    } else {
        search.NoteFailure(reply, result);
        int low = SmallestSearchedData, high = LargestSearchedData - 1;
        while (low <= high) {
            const int middle = low + (high - low) / 2;
            if (!search.Probe(middle, true, reply)) return Ended(MtuOutcome::Cancelled);
            if (reply.kind == EchoReply::Kind::Success) {
                best = middle;
                low = middle + 1;
            } else {
                search.NoteFailure(reply, result);
                high = middle - 1;
            }
        }
        if (best == 0) {
            result.outcome = MtuOutcome::TooSmall;
            return result;
        }
    }

    // One lucky answer is not an answer: the best size passes once more, and
    // one byte more fails (Linux under Wine fragments once it has learned a
    // path's MTU, so there everything may "pass"). Above 1500 nothing is
    // asked: no Ethernet carries more.
    result.outcome = MtuOutcome::NotStable;
    if (!search.Probe(best, true, reply)) return Ended(MtuOutcome::Cancelled);
    if (reply.kind != EchoReply::Kind::Success) return result;
    if (best < LargestSearchedData) {
        if (!search.Probe(best + 1, true, reply)) return Ended(MtuOutcome::Cancelled);
        if (reply.kind == EchoReply::Kind::Success) return result;
        search.NoteFailure(reply, result);
    }
    result.outcome = MtuOutcome::Found;
    result.dataBytes = best;
    result.mtu = best + EchoHeaderBytes;
    return result;
}

std::string DescribeStop(const MtuResult& result) {
    if (!result.stoppedBySeen) return {};
    const EchoReply& reply = result.stoppedBy;
    switch (reply.kind) {
        case EchoReply::Kind::TooBig:
            return "A router" + (reply.from.empty() ? std::string() : " (" + reply.from + ")") +
                   " answered that larger packets are too big for its next link.";
        case EchoReply::Kind::TimedOut: return "Larger packets were dropped without an answer.";
        case EchoReply::Kind::Other:
            return "Larger packets came back with status " + std::to_string(reply.status) +
                   (reply.from.empty() ? std::string() : " from " + reply.from) + ".";
        case EchoReply::Kind::Success: break;
    }
    return {};
}

std::string DescribeMtuResult(const MtuResult& result, const std::string& host) {
    switch (result.outcome) {
        case MtuOutcome::Found: {
            std::string text = "The largest packet that reaches " + host + " unfragmented is " +
                               std::to_string(result.dataBytes) + " bytes: an MTU of " + std::to_string(result.mtu) +
                               ".";
            const std::string stop = DescribeStop(result);
            if (!stop.empty()) text += "\n" + stop;
            if (result.mtu == 1492) text += "\n1492 is what PPPoE (DSL) lines carry.";
            if (result.mtu < 1500)
                text +=
                    "\nOn Windows 2000 and XP a dial-up or PPPoE connection takes its MTU from its own settings, not "
                    "from "
                    "this value (see the help page).";
            return text;
        }
        case MtuOutcome::NoTcpIp: return "TCP/IP is not installed or could not be started on this computer.";
        case MtuOutcome::NoIcmp:
            return "This Windows has no ping functions (ICMP.DLL or IPHLPAPI.DLL), so the line cannot be measured.";
        case MtuOutcome::UnknownHost: return "The host name " + host + " is unknown.";
        case MtuOutcome::NoAnswer:
            return "No answer from " + host + ": it does not answer pings, or cannot be reached.";
        case MtuOutcome::TooSmall:
            return "Not even a packet of 576 bytes reaches " + host + " unfragmented. " + DescribeStop(result);
        case MtuOutcome::NotStable: return "The line gave different answers; try again or choose the MTU yourself.";
        case MtuOutcome::Cancelled: return "The search was cancelled.";
    }
    return {};
}

}  // namespace brisbolt
