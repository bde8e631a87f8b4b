// The MTU search against scripted lines, and the host it starts with.
#include <gtest/gtest.h>

#include <cctype>
#include <ostream>
#include <string>
#include <vector>

#include "platform/MtuSearch.h"
#include "platform/NearbyHost.h"
#include "settings/MemoryRegistry.h"
#include "settings/RegistryCalls.h"

namespace brisbolt {
namespace {

// A line that carries packets up to `mtu` bytes and treats larger ones as
// told; echoes are numbered from 1 in the order they are sent.
struct ScriptedLine : EchoLine {
    enum class Oversize { RouterAnswers, Silent, TooBigOnceThenFragmented };
    LineOpening opening = LineOpening::Open;
    int mtu = 1500;
    Oversize oversize = Oversize::Silent;
    bool answers = true;
    int lostEcho = 0;      // this echo times out whatever its size
    int cancelAfter = -1;  // the search is cancelled after this many echoes

    std::vector<int> sizes;
    bool warned = false;

    LineOpening Open(const std::string&) override { return opening; }
    EchoReply Echo(int dataBytes, bool dontFragment) override {
        sizes.push_back(dataBytes);
        EchoReply reply;
        reply.kind = EchoReply::Kind::TimedOut;
        reply.status = IpRequestTimedOut;
        if (!answers || static_cast<int>(sizes.size()) == lostEcho) return reply;
        if (dataBytes + EchoHeaderBytes <= mtu || !dontFragment) {
            reply.kind = EchoReply::Kind::Success;
            reply.from = "127.10.2.2";
            return reply;
        }
        switch (oversize) {
            case Oversize::Silent: return reply;
            case Oversize::RouterAnswers: break;
            case Oversize::TooBigOnceThenFragmented:
                if (warned) {
                    reply.kind = EchoReply::Kind::Success;
                    return reply;
                }
                warned = true;
                break;
        }
        reply.kind = EchoReply::Kind::TooBig;
        reply.status = IpPacketTooBig;
        reply.from = "127.10.1.1";
        return reply;
    }
};

struct LineCase {
    const char* name;
    ScriptedLine line;
    MtuOutcome outcome;
    int mtu;
    EchoReply::Kind stop;  // TimedOut also where nothing stopped it
    const char* sentence;  // part of the words the user reads
};

ScriptedLine Line(int mtu, ScriptedLine::Oversize oversize) {
    ScriptedLine line;
    line.mtu = mtu;
    line.oversize = oversize;
    return line;
}

template <typename Change>
ScriptedLine With(ScriptedLine line, Change change) {
    change(line);
    return line;
}

using Oversize = ScriptedLine::Oversize;
using Kind = EchoReply::Kind;

const LineCase LineCases[] = {
    {"everything passes", Line(1500, Oversize::Silent), MtuOutcome::Found, 1500, Kind::Success,
     "reaches 127.10.2.2 unfragmented is 1472 bytes: an MTU of 1500."},
    {"router answers above 1492", Line(1492, Oversize::RouterAnswers), MtuOutcome::Found, 1492, Kind::TooBig,
     "A router (127.10.1.1) answered"},
    {"silent drop above 1400", Line(1400, Oversize::Silent), MtuOutcome::Found, 1400, Kind::TimedOut,
     "dropped without an answer"},
    {"one lost echo", With(Line(1400, Oversize::Silent), [](ScriptedLine& l) { l.lostEcho = 4; }), MtuOutcome::Found,
     1400, Kind::TimedOut, "an MTU of 1400."},
    {"lost reachability echo", With(Line(1492, Oversize::RouterAnswers), [](ScriptedLine& l) { l.lostEcho = 1; }),
     MtuOutcome::Found, 1492, Kind::TooBig, "PPPoE"},
    {"too big once, then success", Line(1492, Oversize::TooBigOnceThenFragmented), MtuOutcome::NotStable, 0,
     Kind::TooBig, "line gave different answers; try again or choose the MTU yourself"},
    {"unknown host", With(Line(1500, Oversize::Silent), [](ScriptedLine& l) { l.opening = LineOpening::UnknownHost; }),
     MtuOutcome::UnknownHost, 0, Kind::TimedOut, "unknown"},
    {"no ICMP", With(Line(1500, Oversize::Silent), [](ScriptedLine& l) { l.opening = LineOpening::NoIcmp; }),
     MtuOutcome::NoIcmp, 0, Kind::TimedOut, "ICMP.DLL"},
    {"no TCP/IP", With(Line(1500, Oversize::Silent), [](ScriptedLine& l) { l.opening = LineOpening::NoTcpIp; }),
     MtuOutcome::NoTcpIp, 0, Kind::TimedOut, "TCP/IP"},
    {"no answer at all", With(Line(1500, Oversize::Silent), [](ScriptedLine& l) { l.answers = false; }),
     MtuOutcome::NoAnswer, 0, Kind::TimedOut, "No answer from 127.10.2.2"},
    {"below 576", Line(560, Oversize::RouterAnswers), MtuOutcome::TooSmall, 0, Kind::TooBig, "576"},
    {"cancel mid-way", With(Line(1400, Oversize::Silent), [](ScriptedLine& l) { l.cancelAfter = 5; }),
     MtuOutcome::Cancelled, 0, Kind::TimedOut, "cancelled"},
};

void PrintTo(const LineCase& c, std::ostream* out) { *out << c.name; }

class ScriptedLines : public ::testing::TestWithParam<LineCase> {};

TEST_P(ScriptedLines, EndAsTheLineDecides) {
    const LineCase& c = GetParam();
    ScriptedLine line = c.line;
    std::vector<MtuProgress> progress;
    MtuSearchHooks hooks;
    hooks.cancelled = [&] { return line.cancelAfter >= 0 && static_cast<int>(line.sizes.size()) >= line.cancelAfter; };
    hooks.progress = [&](const MtuProgress& p) { progress.push_back(p); };

    const MtuResult result = FindLargestPacket("127.10.2.2", line, hooks);
    EXPECT_EQ(result.outcome, c.outcome);
    EXPECT_EQ(result.mtu, c.mtu);
    if (c.outcome == MtuOutcome::Found) {
        EXPECT_EQ(result.dataBytes + EchoHeaderBytes, c.mtu);
    }
    const Kind stop = result.stoppedBySeen ? result.stoppedBy.kind : Kind::TimedOut;
    if (c.stop != Kind::Success) {
        EXPECT_EQ(stop, c.stop);
    } else {
        EXPECT_FALSE(result.stoppedBySeen);
    }
    EXPECT_NE(DescribeMtuResult(result, "127.10.2.2").find(c.sentence), std::string::npos)
        << DescribeMtuResult(result, "127.10.2.2");

    // One progress report per echo, and no echo after a cancel.
    EXPECT_EQ(progress.size(), line.sizes.size());
    for (std::size_t i = 0; i < progress.size(); ++i) EXPECT_EQ(progress[i].step, static_cast<int>(i + 1));
    if (line.cancelAfter >= 0) {
        EXPECT_EQ(static_cast<int>(line.sizes.size()), line.cancelAfter);
    }
    // Never a size outside the range, and the reachability echo first and small.
    if (!line.sizes.empty()) {
        EXPECT_EQ(line.sizes.front(), ReachabilityEchoData);
    }
    for (int size : line.sizes) {
        if (size == ReachabilityEchoData) continue;
        EXPECT_GE(size, SmallestSearchedData);
        EXPECT_LE(size, LargestSearchedData);
    }
}

INSTANTIATE_TEST_SUITE_P(MtuSearch, ScriptedLines, ::testing::ValuesIn(LineCases),
                         [](const ::testing::TestParamInfo<LineCase>& info) {
                             std::string name;
                             for (const char* c = info.param.name; *c; ++c)
                                 if (std::isalnum(static_cast<unsigned char>(*c))) name += *c;
                             return name;
                         });

TEST(MtuSearch, FoundAnswerIsConfirmedTwiceAndOneByteMoreFails) {
    ScriptedLine line = Line(1400, Oversize::Silent);
    ASSERT_EQ(FindLargestPacket("h", line).outcome, MtuOutcome::Found);
    // After the search itself: the best size once more, then one byte more
    // (sent twice: a time-out is retried).
    ASSERT_GE(line.sizes.size(), 4u);
    const std::vector<int> tail(line.sizes.end() - 3, line.sizes.end());
    EXPECT_EQ(tail, (std::vector<int>{1372, 1373, 1373}));
}

TEST(MtuSearch, StatusesSortIntoKinds) {
    EXPECT_EQ(EchoKindOf(0), Kind::Success);
    EXPECT_EQ(EchoKindOf(11009), Kind::TooBig);
    EXPECT_EQ(EchoKindOf(11010), Kind::TimedOut);
    EXPECT_EQ(EchoKindOf(11050), Kind::Other);
    MtuResult other;
    other.stoppedBySeen = true;
    other.stoppedBy = {Kind::Other, "127.0.0.9", 11050};
    EXPECT_EQ(DescribeStop(other), "Larger packets came back with status 11050 from 127.0.0.9.");
}

TEST(NearbyHost, FirstAddressOfAList) {
    const struct {
        std::string text, address;
    } cases[] = {
        {"192.168.1.1", "192.168.1.1"},
        {"0.0.0.0,10.0.0.1", "10.0.0.1"},
        {"10.0.0.1 10.0.0.2", "10.0.0.1"},
        {std::string("0.0.0.0\0"
                     "172.16.0.1\0\0",
                     21),
         "172.16.0.1"},
        {"", ""},
        {"gateway", ""},
        {"1.2.3", ""},
        {"1.2.3.256", ""},
        {"1..2.3", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(FirstAddressIn(c.text), c.address) << c.text;
}

TEST(NearbyHost, GatewayFirstThenNameServer) {
    MemoryRegistry registry;
    RegistryBackend* previous = SetActiveRegistry(&registry);
    auto put = [&](const std::string& path, const std::string& name, const RawValue& value) {
        auto key = registry.OpenForWriting(RootKey::LocalMachine, path, true);
        ASSERT_TRUE(key && key->Set(name, value));
    };
    const std::string interfaces = "System\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\";
    EXPECT_EQ(FindNearbyHost(), "");
    put("System\\CurrentControlSet\\Services\\VxD\\MSTCP", "NameServer", StringValue("10.9.9.9,10.9.9.8"));
    EXPECT_EQ(FindNearbyHost(), "10.9.9.9");
    put("System\\CurrentControlSet\\Services\\Class\\NetTrans\\0003", "DefaultGateway", StringValue("10.3.3.3"));
    EXPECT_EQ(FindNearbyHost(), "10.3.3.3");
    put(interfaces + "{A}", "DefaultGateway", StringValue(std::string("\0", 1), RegMultiSz));
    put(interfaces + "{B}", "DhcpDefaultGateway", StringValue(std::string("10.2.2.2\0\0", 10), RegMultiSz));
    EXPECT_EQ(FindNearbyHost(), "10.2.2.2");
    put(interfaces + "{A}", "DefaultGateway", RawValue{RegDword, {1, 2, 3, 4}});
    EXPECT_EQ(FindNearbyHost(), "10.2.2.2");
    SetActiveRegistry(previous);
}

}  // namespace
}  // namespace brisbolt
