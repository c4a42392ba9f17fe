// The simulated printer itself: scripts, the handler chain, recording, dropping, a link
// cut inside a command.
#include "SdkTestUtil.h"
#include "SimDefaults.h"
#include "SimFirmware.h"
#include "SimPrinter.h"
#include "SimTcpServer.h"

#include <gtest/gtest.h>

using prt::sim::SimHandler;
using prt::sim::SimPrinter;

namespace {

// Answers "GET <x>\n" with "VAL <x>\n"; asks for more while the line is incomplete.
class LineHandler : public SimHandler {
public:
    int consume(SimPrinter&, const QByteArray& in, QByteArray& reply) override
    {
        if (!in.startsWith("GET ") && !QByteArray("GET ").startsWith(in))
            return NotMine;
        const qsizetype lf = in.indexOf('\n');
        if (lf < 0)
            return NeedMore;
        reply += "VAL " + in.mid(4, lf - 4) + "\n";
        return int(lf + 1);
    }
};

} // namespace

TEST(SimPrinterBrain, ScriptsHandlersAndDropping)
{
    SimPrinter p;
    p.addHandler(std::make_unique<LineHandler>());
    p.script("HELLO", "ONE");
    p.script("HELLO", "TWO");

    struct Step { QByteArray in; QByteArray out; };
    const Step steps[] = {
        {"HEL", ""},              // a prefix of the next script waits
        {"LO", "ONE"},            // the script is used once...
        {"HELLO", "TWO"},         // ...then the next one
        {"HELLO\n", ""},          // scripts used up, nobody takes it: dropped to the LF
        {"GET a", ""},            // handler asks for more
        {"\nGET b\nGET", "VAL a\nVAL b\n"},
        {" c\n", "VAL c\n"},
        {"junk\nGET d\n", "VAL d\n"}, // junk dropped through its LF, the rest handled
        {"no line end", ""},      // dropped entirely
        {"GET e\n", "VAL e\n"},
    };
    QByteArray all;
    for (const Step& s : steps) {
        SCOPED_TRACE(s.in.toStdString());
        EXPECT_EQ(p.feed(s.in), s.out);
        all += s.in;
    }
    EXPECT_EQ(p.received(), all);
    p.clearReceived();
    EXPECT_TRUE(p.received().isEmpty());
    p.setKeepReceived(false);
    EXPECT_EQ(p.feed("GET f\n"), "VAL f\n") << "a printer that keeps no record still answers";
    EXPECT_TRUE(p.received().isEmpty());
}

TEST(SimPrinterBrain, ABlockFirmwareBodyNotKeptStillEndsWithTheFinalStatus)
{
    SimPrinter p;
    prt::sim::AddStandardHandlers(p);
    prt::sim::SimEditFirmware(p, [](prt::sim::SimFirmwareState& s) { s.keepBodies = false; });
    p.feed("\x1B\x1C\x26\x20\x56\x31\x20" "do \"dfu\"\r\n");
    const QByteArray file = prt::sim::SimGdlFileBlock(3000, 2, "APP.BIN", "V1");
    EXPECT_EQ(p.feed(file.left(76)), QByteArray(1, '\0')) << "the header's status";
    EXPECT_EQ(p.feed(file.mid(76, 2999)), QByteArray());
    EXPECT_TRUE(p.takeQuietReply(1000).isEmpty()) << "one byte of the body still to come";
    EXPECT_EQ(p.feed(file.mid(76 + 2999)), QByteArray());
    EXPECT_EQ(p.takeQuietReply(1000), QByteArray(1, '\0')) << "the final status once the body is complete";
    const prt::sim::SimFirmwareState s = prt::sim::SimFirmware(p);
    ASSERT_EQ(s.blocks.size(), 1u);
    EXPECT_EQ(s.blocks[0].header, file.left(76));
    EXPECT_TRUE(s.blocks[0].body.isEmpty());
}

TEST(SimPrinterBrain, ALinkCutInsideACommand)
{
    SimPrinter p;
    p.addHandler(std::make_unique<LineHandler>());
    p.noteConnection();
    // Silent: three bytes of "GET b" arrive, then nothing more on that connection.
    p.cutLinkIn("GET b\n", 3, false);
    EXPECT_EQ(p.feed("GET a\nGE"), "VAL a\n");  // "GE" may begin the command: it waits
    EXPECT_FALSE(p.linkWasCut());
    EXPECT_EQ(p.feed("T b\nGET c\n"), "");
    EXPECT_TRUE(p.linkWasCut());
    EXPECT_EQ(p.feed("GET d\n"), "");
    EXPECT_EQ(p.received(), "GET a\nGET");
    EXPECT_EQ(p.takeLinkRestart(), -1) << "the connection is kept";
    p.noteConnection();
    EXPECT_EQ(p.feed("GET b\n"), "VAL b\n") << "used once; the next connection is served";

    // Dropped: what came before the cut is answered, then the link restarts.
    p.clearReceived();
    p.cutLinkIn("GET f\n", 6, true, 50);
    EXPECT_EQ(p.feed("GET e\nGET f\nGET g\n"), "VAL e\nVAL f\n");
    EXPECT_EQ(p.takeLinkRestart(), 50);
    EXPECT_EQ(p.received(), "GET e\nGET f\n");
}

TEST(SimTcp, ServesSequentialConnectionsAndStopsCleanly)
{
    SimPrinter p;
    auto server = std::make_unique<prt::sim::SimTcpServer>(p);
    ASSERT_TRUE(server->ok());
    ASSERT_NE(server->port(), 0);
    p.script("A", "a");
    p.script("B", "b");
    for (const char* req : {"A", "B"}) {
        prt::test::SdkObj o;
        ASSERT_EQ(o.open(prt::test::NetPort(server->port())), prt::sdk::PRT_OK);
        ASSERT_EQ(o.write(req), prt::sdk::PRT_OK);
        EXPECT_EQ(o.readEof(2000, 1, 0), QByteArray(req).toLower());
    }
    EXPECT_EQ(p.connections(), 2);

    // A connection the server drops reads as closed; stopping with a client attached returns.
    prt::test::SdkObj o;
    ASSERT_EQ(o.open(prt::test::NetPort(server->port())), prt::sdk::PRT_OK);
    ASSERT_EQ(o.write("C"), prt::sdk::PRT_OK);
    ASSERT_TRUE(prt::test::WaitReceived(p, 3));
    server->dropConnection();
    int rc = 0;
    EXPECT_EQ(o.readEof(3000, 8, 0, &rc), "");
    EXPECT_EQ(rc, prt::sdk::PRT_E_IO);
    ASSERT_EQ(o.close(), prt::sdk::PRT_OK);
    ASSERT_EQ(o.open(prt::test::NetPort(server->port())), prt::sdk::PRT_OK);
    server.reset();
}
