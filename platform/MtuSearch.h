// The search for the largest packet that reaches a host unfragmented: pings
// with the don't-fragment flag, a binary search between the smallest MTU
// the program offers and Ethernet's, and a check that the answer holds.
// Portable: the echoes come from a line passed in, the real ICMP one on
// Windows or a scripted one in tests.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace brisbolt {

// IP header and ICMP header: an echo of N data bytes is a packet of N + 28.
inline constexpr int EchoHeaderBytes = 28;
// MTU 576 and MTU 1500: the range the search covers.
inline constexpr int SmallestSearchedData = 548;
inline constexpr int LargestSearchedData = 1472;
// The echo that asks whether the host answers at all.
inline constexpr int ReachabilityEchoData = 32;

// What one echo came back with. Codes are the IP_ statuses of ICMP.DLL.
struct EchoReply {
    enum class Kind { Success, TooBig, TimedOut, Other };
    Kind kind = Kind::TimedOut;
    // The address that answered (a router for TooBig), dotted; may be empty.
    std::string from;
    // The raw status for Other.
    std::uint32_t status = 0;
};
inline constexpr std::uint32_t IpSuccess = 0;
inline constexpr std::uint32_t IpPacketTooBig = 11009;
inline constexpr std::uint32_t IpRequestTimedOut = 11010;
// Sorts a raw status into its kind.
EchoReply::Kind EchoKindOf(std::uint32_t status);

// Why a line could not be opened to the host.
enum class LineOpening { Open, NoTcpIp, NoIcmp, UnknownHost };

// The way to the host: opened once, then asked for echoes.
class EchoLine {
public:
    virtual ~EchoLine() = default;
    // Looks the host up (a dotted address or a name) and readies the echoes.
    virtual LineOpening Open(const std::string& host) = 0;
    // One echo of `dataBytes` bytes, with or without the don't-fragment flag.
    virtual EchoReply Echo(int dataBytes, bool dontFragment) = 0;
};

// What the search is doing, for a progress display.
struct MtuProgress {
    int step = 0;   // echoes sent so far
    int steps = 0;  // about how many the whole search sends
    std::string text;
};

// How a search ended.
enum class MtuOutcome {
    Found,        // mtu holds the answer
    NoTcpIp,      // WinSock could not be started
    NoIcmp,       // the ICMP functions are missing
    UnknownHost,  // the name could not be looked up
    NoAnswer,     // the host did not answer a small echo
    TooSmall,     // not even the smallest searched size passed unfragmented
    NotStable,    // the line gave different answers
    Cancelled,
};

struct MtuResult {
    MtuOutcome outcome = MtuOutcome::Cancelled;
    int dataBytes = 0;  // the largest echo that passed unfragmented
    int mtu = 0;        // dataBytes + 28, or 0 when nothing was found
    // What stopped the next size up: the last failing echo of the search.
    EchoReply stoppedBy;
    bool stoppedBySeen = false;
};

struct MtuSearchHooks {
    // Asked before every echo; true stops the search.
    std::function<bool()> cancelled;
    std::function<void(const MtuProgress&)> progress;
};

// Runs the whole search on the calling thread.
MtuResult FindLargestPacket(const std::string& host, EchoLine& line, const MtuSearchHooks& hooks = {});

// The result in words for the user: the answer or a plain reason, with
// what the value means where it fits.
std::string DescribeMtuResult(const MtuResult& result, const std::string& host);
// What stopped the search above the answer, in words; empty when nothing did.
std::string DescribeStop(const MtuResult& result);

}  // namespace brisbolt
