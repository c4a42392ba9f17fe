#include "mdlModuleState.h"

#include "PrtPaths.h"
#include "mdlIniRead.h"
#include "mdlLinkSeams.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPalette>
#include <optional>

namespace {
const QString kMarkerFolder = QStringLiteral("xx46027193850461");
const QString kMarkerFile = QStringLiteral("dfile46027193850461.txt");
const QString kMarkerPrefix = QStringLiteral("dfile46027193850461-");
const QString kSecondMarker = QStringLiteral("x58316204972635.txt");
const QString kStampMobile = QStringLiteral("20191114_181001");
const QString kStampLabel = QStringLiteral("20200117_160501");

std::optional<QStringList> gArgs;
} // namespace

QString gLineBreak = QStringLiteral("\r\n");
int gBuildKind = 0;
std::atomic<bool> gDebugFlag{false};
bool gFactoryFlag = false;
int gKeyFrameOpByte = 1;
QColor gEditColorWritable;
QColor gEditColorReadOnly;
const QString gDefaultSerialPort = QStringLiteral("COM,BAUDRATE_9600");
const QString gDefaultNetPort = QStringLiteral("NET,192.168.0.33");
const QString gDefaultParallelPort = QStringLiteral("LPT1");
TRoleFlags gRoleFlags;
QString gPathSeparator = QStringLiteral("/");
QString gIdentityCheckDir;
std::array<QString, 7> gIdentityCheckNames;
bool gLogLockCreated = false;
TPrtRecordList* gRecordList = nullptr;

std::mutex& DebugLogLock()
{
    // Lives until the process ends, so no writer can reach a destroyed lock.
    static std::mutex lock;
    return lock;
}

void CreateLogLock()
{
    std::lock_guard<std::mutex> guard(DebugLogLock());
    gLogLockCreated = true;
}

void DeleteLogLock()
{
    std::lock_guard<std::mutex> guard(DebugLogLock());
    gLogLockCreated = false;
}

QColor EditColorWritable()
{
    return gEditColorWritable.isValid() ? gEditColorWritable
                                        : QGuiApplication::palette().color(QPalette::Base);
}

QColor EditColorReadOnly()
{
    return gEditColorReadOnly.isValid() ? gEditColorReadOnly
                                        : QGuiApplication::palette().color(QPalette::Button);
}

void CreateRecordList()
{
    if (!gRecordList)
        gRecordList = new TPrtRecordList();
}

void FreeRecordList()
{
    delete gRecordList;  // the unique_ptrs free the items
    gRecordList = nullptr;
}

bool DevMarkerFileExists()
{
    return QFileInfo(prt::DevRootDir() + kMarkerFolder + "/" + kMarkerFile).isFile();
}

bool DevSecondMarkerExists()
{
    return QFileInfo(GetExeDir() + kSecondMarker).isFile();
}

QString GetDevMarkerPrefix()
{
    return prt::DevRootDir() + kMarkerFolder + "/" + kMarkerPrefix;
}

bool RealMarkerFileExists()
{
    return QFileInfo(GetDevMarkerPrefix() + "Real.txt").isFile();
}

bool IsDebugMode()
{
    if (!gDebugFlag.load() && DevMarkerFileExists() && DevSecondMarkerExists())
        gDebugFlag.store(true);
    return gDebugFlag.load();
}

QString GetTestNameTag()
{
    return QStringLiteral("(TEST_DBGF1OFREALISY)");
}

QString GetDebugBaseDir()
{
    const bool mobile = gCurToolType == QLatin1String("Mobile");
    const QString stamp = mobile ? kStampMobile : kStampLabel;
    if (!IsDebugMode())
        return QStringLiteral("x/x\\x");
    const QString dir = prt::DevRootDir() + kMarkerFolder + "/" +
                        (mobile ? QStringLiteral("Base_Mobile_") : QStringLiteral("Base_Label_")) +
                        stamp + "/";
    QDir().mkdir(dir);  // only the last level; a failure is ignored
    return dir;
}

QString GetExeDir()
{
    return prt::ExeDir();
}

QString GetPathSeparator()
{
    return QStringLiteral("/");
}

void SetKeyFrameOpByte(int value)
{
    gKeyFrameOpByte = value;
    SetKeyFrameOperationByte(static_cast<uint8_t>(value));
}

QStringList GetProgramArgs()
{
    if (gArgs)
        return *gArgs;
    if (QCoreApplication::instance())
        return QCoreApplication::arguments().mid(1);
    return {};
}

void SetProgramArgs(const QStringList& args)
{
    gArgs = args;
}

void ResetProgramArgs()
{
    gArgs.reset();
}

void ApplyRoleSwitches(const QStringList& args)
{
    for (const QString& a : args) {
        if (a == QLatin1String("-SwitchDealer"))
            gRoleFlags.Dealer = true;
        else if (a == QLatin1String("-SwitchTechnical"))
            gRoleFlags.Technical = true;
        else if (a == QLatin1String("-SwitchCustomerServicePeople"))
            gRoleFlags.CustomerService = true;
        else if (a == QLatin1String("-SwitchProgrammer"))
            gRoleFlags.Programmer = true;
        else
            continue;
        gRoleFlags.AnyRole = true;
    }
}

void ResetModuleStateForTest()
{
    gBuildKind = 0;
    gDebugFlag.store(false);
    gFactoryFlag = false;
    SetKeyFrameOpByte(1);
    gRoleFlags = TRoleFlags();
    gPathSeparator = QStringLiteral("/");
    gIdentityCheckDir.clear();
    for (QString& n : gIdentityCheckNames)
        n.clear();
    FreeRecordList();
    ResetProgramArgs();
}
