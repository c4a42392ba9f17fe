// Developer modes, debug base folder, debug log, module state.
#include "CoreBaseFixture.h"

#include "mdlLinkSeams.h"

#include <QRegularExpression>
#include <thread>
#include <vector>

namespace {

QStringList ReadLines(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QString all = QString::fromUtf8(f.readAll());
    QStringList lines = all.split("\r\n");
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

const QRegularExpression kLine(QStringLiteral(R"(^\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3}:(.*)$)"));

} // namespace

TEST_F(CoreBaseTest, DebugModeNeedsBothMarkers)
{
    struct Case {
        bool first, second, debug;
    };
    for (const Case c : {Case{false, false, false}, Case{true, false, false}, Case{false, true, false},
                         Case{true, true, true}}) {
        ResetModuleStateForTest();
        QDir(RootPath("xx46027193850461")).removeRecursively();
        QFile::remove(ExePath("x58316204972635.txt"));
        if (c.first)
            MakeFirstMarker();
        if (c.second)
            MakeSecondMarker();
        EXPECT_EQ(DevMarkerFileExists(), c.first);
        EXPECT_EQ(DevSecondMarkerExists(), c.second);
        EXPECT_EQ(IsDebugMode(), c.debug) << c.first << c.second;
    }
    // The flag set by the developer prompt stays without markers; it is never cleared.
    ResetModuleStateForTest();
    gDebugFlag = true;
    EXPECT_TRUE(IsDebugMode());
}

TEST_F(CoreBaseTest, RealMarkerAndTag)
{
    EXPECT_FALSE(RealMarkerFileExists());
    WriteFile(RootPath("xx46027193850461/dfile46027193850461-Real.txt"), "x");
    EXPECT_TRUE(RealMarkerFileExists());
    EXPECT_EQ(GetDevMarkerPrefix(), RootPath("xx46027193850461/dfile46027193850461-"));
    EXPECT_EQ(GetTestNameTag(), "(TEST_DBGF1OFREALISY)");
    EXPECT_EQ(GetExeDir(), exe_.path() + "/");
}

TEST_F(CoreBaseTest, DebugBaseFolderFollowsModeAndToolType)
{
    // Outside debug mode: the placeholder, and nothing is created anywhere.
    MakeFirstMarker();
    const QStringList before = FilesUnder(root_.path());
    EXPECT_EQ(GetDebugBaseDir(), "x/x\\x");
    EXPECT_EQ(GetDebugLogDir(), "x/x\\xLog/DebugLog/");
    EXPECT_EQ(FilesUnder(root_.path()), before);

    MakeSecondMarker();
    struct Case {
        const char* toolType;
        const char* folder;
    };
    for (const Case c : {Case{"Mobile", "Base_Mobile_20191114_181001"}, Case{"Label", "Base_Label_20200117_160501"},
                         Case{"", "Base_Label_20200117_160501"}}) {
        gCurToolType = c.toolType;
        const QString dir = GetDebugBaseDir();
        EXPECT_EQ(dir, RootPath(QString("xx46027193850461/") + c.folder + "/"));
        EXPECT_TRUE(QFileInfo(dir).isDir()) << c.toolType;
    }
}

TEST_F(CoreBaseTest, NothingIsLoggedOutsideDebugMode)
{
    MakeFirstMarker();  // one marker is not debug mode
    const QStringList before = FilesUnder(root_.path());
    const QStringList exeBefore = FilesUnder(exe_.path());
    WriteDebugLog("hello");
    GetGlobalVar()->WriteLog("first marker only: TGlobalVar logs");
    FreeGlobalVar();
    // TGlobalVar keys on the first marker alone; WriteDebugLog wrote nothing.
    QStringList after = FilesUnder(root_.path());
    for (const QString& f : after)
        EXPECT_TRUE(before.contains(f) || f.startsWith("xx46027193850461/Base_Mobile_20191114_181001/")) << f.toStdString();
    EXPECT_EQ(FilesUnder(exe_.path()), exeBefore);

    // Without any marker neither writer creates anything.
    QDir(RootPath("xx46027193850461")).removeRecursively();
    GetGlobalVar()->WriteLog("x");
    WriteDebugLog("x");
    EXPECT_TRUE(FilesUnder(root_.path()).isEmpty());
}

TEST_F(CoreBaseTest, DebugLogLineFormatOrderAndLock)
{
    EnterDebugMode();
    const QString file = GetDebugLogFileName();
    EXPECT_EQ(file, RootPath("xx46027193850461/Base_Label_20200117_160501/Log/DebugLog/logfile" +
                             QDate::currentDate().toString("yyyyMMdd") + ".log"));
    WriteDebugLog("first");
    WriteDebugLog(QStringLiteral("second 文字"));
    QStringList lines = ReadLines(file);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(kLine.match(lines[0]).captured(1), "first");
    EXPECT_EQ(kLine.match(lines[1]).captured(1), QStringLiteral("second 文字"));

    // A file that cannot be written is skipped silently.
    const QString blocked = file + ".blocked";
    ASSERT_TRUE(QFile::rename(file, blocked));
    ASSERT_TRUE(QDir().mkdir(file));
    WriteDebugLog("lost");
    EXPECT_TRUE(QFileInfo(file).isDir());
    ASSERT_TRUE(QDir().rmdir(file));
    ASSERT_TRUE(QFile::rename(blocked, file));

    // After the lock is deleted (shutdown) writers write nothing and do not crash.
    DeleteLogLock();
    WriteDebugLog("late");
    GetGlobalVar()->WriteLog("late");
    EXPECT_EQ(ReadLines(file).size(), 2);
    EXPECT_FALSE(QFileInfo::exists(GetGlobalVar()->LogFileName()));
}

TEST_F(CoreBaseTest, ConcurrentWritersKeepWholeLinesAndStopAtShutdown)
{
    EnterDebugMode();
    const QString file = GetDebugLogFileName();
    GetGlobalVar();  // first-marker logger writing the Mobile folder
    gCurToolType = "Mobile";  // both writers now share one file
    const QString shared = GetDebugLogFileName();
    ASSERT_EQ(shared, GetGlobalVar()->LogFileName());
    const int before = ReadLines(shared).size();

    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([t] {
            for (int i = 0; i < 50; ++i) {
                if (t % 2)
                    WriteDebugLog(QString("t%1-%2").arg(t).arg(i));
                else
                    GetGlobalVar()->WriteLog(QString("t%1-%2").arg(t).arg(i));
            }
        });
    for (auto& th : threads)
        th.join();
    const QStringList lines = ReadLines(shared);
    ASSERT_EQ(lines.size(), before + 200);
    for (const QString& l : lines)
        EXPECT_TRUE(kLine.match(l).hasMatch()) << l.toStdString();

    // A worker that logs while the lock is deleted never writes after it is gone.
    std::thread late([] {
        for (int i = 0; i < 200; ++i)
            WriteDebugLog("late");
    });
    DeleteLogLock();
    late.join();
    const int count = ReadLines(shared).size();
    WriteDebugLog("after");
    GetGlobalVar()->WriteLog("after");
    EXPECT_EQ(ReadLines(shared).size(), count);
    (void)file;
}

TEST_F(CoreBaseTest, GlobalVarConstruction)
{
    MakeFirstMarker();
    TGlobalVar* g = GetGlobalVar();
    EXPECT_TRUE(g->DebugFlag);
    EXPECT_EQ(g->LogBaseDir, RootPath("xx46027193850461/Base_Mobile_20191114_181001/"));
    const QStringList lines = ReadLines(g->LogFileName());
    ASSERT_EQ(lines.size(), 2);  // an empty line and the start time
    EXPECT_EQ(kLine.match(lines[0]).captured(1), "");
    EXPECT_TRUE(kLine.match(lines[1]).captured(1).startsWith(QStringLiteral("运行时间:")));
    FreeGlobalVar();
    QDir(RootPath("xx46027193850461")).removeRecursively();
    EXPECT_EQ(GetGlobalVar()->LogBaseDir, "x/x\\x");
}

TEST_F(CoreBaseTest, ModuleStateDefaultsSwitchesAndLinkSeam)
{
    EXPECT_EQ(gLineBreak, "\r\n");
    EXPECT_EQ(gDefaultSerialPort, "COM,BAUDRATE_9600");
    EXPECT_EQ(gDefaultNetPort, "NET,192.168.0.33");
    EXPECT_EQ(gDefaultParallelPort, "LPT1");
    EXPECT_EQ(gKeyFrameOpByte, 1);
    EXPECT_EQ(GetKeyFrameOperationByte(), 1);
    SetKeyFrameOpByte(0);  // factory mode
    EXPECT_EQ(GetKeyFrameOperationByte(), 0);

    ApplyRoleSwitches({"-CN", "-SwitchTechnical", "-SwitchProgrammer"});
    EXPECT_TRUE(gRoleFlags.Technical && gRoleFlags.Programmer && gRoleFlags.AnyRole);
    EXPECT_FALSE(gRoleFlags.Dealer || gRoleFlags.CustomerService);

    CreateRecordList();
    ASSERT_NE(gRecordList, nullptr);
    gRecordList->push_back(std::make_unique<TPrtRecord>());
    TPrtRecordList* same = gRecordList;
    CreateRecordList();  // exists: kept
    EXPECT_EQ(gRecordList, same);
    FreeRecordList();
    EXPECT_EQ(gRecordList, nullptr);
}
