#include "KeyFrameFixture.h"

#include "CMD_Key.h"
#include "MainFixture.h"
#include "PrinterCMD.h"
#include "PrtTick.h"
#include "SimDefaults.h"
#include "mdlCurrentPrinter.h"
#include "mdlDevBasePrt.h"
#include "mdlFormOpeners.h"
#include "mdlLangText.h"
#include "mdlLanguage.h"
#include "mdlModelFeatures.h"
#include "mdlModuleState.h"
#include "mdlPrinterLib.h"
#include "mdlPrinterLibApi.h"
#include "mdlPrinterTypeList.h"

#include <QDir>
#include <QThread>
#include <QFile>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace kftest {

namespace {
void NoSleep(uint32_t) {}

int gFailId = -1;
PrtSdkApi gFailingApi;

int FailingWrite(prt::sdk::Lib lib, prt::sdk::Handle h, const uint8_t* data, uint32_t length)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), int(length));
    const QByteArray head = QByteArray(CMD_PREFIX) + "setkey\r\n";
    if (gFailId >= 0 && bytes.startsWith(head) && bytes.size() >= 19 &&
        (static_cast<uint8_t>(bytes.at(16)) | (static_cast<uint8_t>(bytes.at(17)) << 8)) == gFailId)
        return -15;
    return DefaultPrtSdkApi().WriteData(lib, h, data, length);
}
} // namespace

void KfSim::FailSetKeyWrites(uint16_t id)
{
    gFailId = id;
    gFailingApi = DefaultPrtSdkApi();
    gFailingApi.WriteData = &FailingWrite;
    for (auto lib : {prt::sdk::Lib::Tspl, prt::sdk::Lib::Esc, prt::sdk::Lib::Cpcl})
        SetPrtSdkApi(lib, &gFailingApi);
}

void KfSim::SetUp()
{
    mainwin::ResetMainState();
    tree = std::make_unique<mainwin::TempProgram>();
    SetLabelConfigFileNames();
    gLangFileName = QStringLiteral("UtilityForLabelLanguage.ini");
    gLangId = QStringLiteral("1033");
    LoadLanguageStrings();
    LoadMessageTexts();
    LoadParameterSetKeys();
    prt::sim::AddStandardHandlers(printer);
    server = std::make_unique<prt::sim::SimTcpServer>(printer);
    ASSERT_TRUE(server->ok());
    port = server->portString();
    SetCurrentPortString(port);
    SetPrinterSdkKind(1);
    SetCmdOpenedFlag(0);
    NotePrinterObjectModel(QStringLiteral("V64"));
    prt::SetSleepHook(&NoSleep);
    SetOpByte(1);
    SetFormShowHook([](QWidget*) {});
}

void KfSim::TearDown()
{
    SetFormShowHook({});
    prt::SetSleepHook(nullptr);
    for (auto lib : {prt::sdk::Lib::Tspl, prt::sdk::Lib::Esc, prt::sdk::Lib::Cpcl})
        SetPrtSdkApi(lib, nullptr);
    gFailId = -1;
    CmdClosePort();
    TsplDestroyGlobalPrinter();
    server->stop();
    SetOpByte(1);
    mainwin::ResetMainState();
    tree.reset();
}

void KfSim::Select(const QString& listed, const QString& cur)
{
    SetCurrentPrinterNames(listed, cur.isEmpty() ? listed : cur);
    ApplyModelFeatures();
}

void KfSim::SetPermission(const char* itemNo, int value)
{
    const int i = TParamGlobals::PermissionIndex(QString::fromLatin1(itemNo));
    ASSERT_GE(i, 0) << itemNo;
    ParamGlobals().Permission[static_cast<size_t>(i)] = value;
}

void KfSim::SetOpByte(int op)
{
    SetKeyFrameOpByte(op);
}

void KfSim::Settle()
{
    qsizetype last = -1;
    int stable = 0;
    for (int i = 0; i < 200 && stable < 3; ++i) {
        const qsizetype now = printer.received().size();
        stable = now == last ? stable + 1 : 0;
        last = now;
        QThread::msleep(5);
    }
}

bool KfSim::WaitListening()
{
    return prt::test::WaitFor([&] {
        const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_port = htons(server->port());
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        const bool ok = fd >= 0 && ::connect(fd, reinterpret_cast<const sockaddr*>(&a), sizeof a) == 0;
        if (fd >= 0)
            ::close(fd);
        return ok;
    });
}

std::vector<std::pair<uint8_t, uint16_t>> KfSim::GetKeys() const
{
    std::vector<std::pair<uint8_t, uint16_t>> out;
    const QByteArray r = printer.received();
    const QByteArray head = QByteArray(CMD_PREFIX) + "getkey\r\n";
    qsizetype at = 0;
    while ((at = r.indexOf(head, at)) >= 0 && at + 19 <= r.size()) {
        out.emplace_back(static_cast<uint8_t>(r.at(at + 15)),
                         static_cast<uint16_t>(static_cast<uint8_t>(r.at(at + 16)) |
                                               (static_cast<uint8_t>(r.at(at + 17)) << 8)));
        at += 19;
    }
    return out;
}

std::string FrameHex(const QByteArray& bytes)
{
    return prt::test::ToHex(bytes);
}

std::vector<QByteArray> SetKeyFrames(const QByteArray& r)
{
    std::vector<QByteArray> out;
    const QByteArray head = QByteArray(CMD_PREFIX) + "setkey\r\n";
    qsizetype at = 0;
    while ((at = r.indexOf(head, at)) >= 0 && at + 19 <= r.size()) {
        const int n = static_cast<uint8_t>(r.at(at + 18));
        out.push_back(r.mid(at, 19 + n));
        at += 19 + n;
    }
    return out;
}

} // namespace kftest
