#include "mdlDevNewPrt.h"

#include "PrtMsgBox.h"
#include "PrtTexts.h"
#include "PrtTick.h"
#include "mdlDevBaseCpclPrt.h"
#include "mdlDevBaseEscPrt.h"
#include "mdlDevBaseTsplTscPrt.h"
#include "mdlPortResult.h"
#include "mdlPrinterLib.h"
#include "mdlPrinterLibApi.h"

TDevNewPrt::TDevNewPrt() = default;
TDevNewPrt::~TDevNewPrt() = default;

void TDevNewPrt::CreateDevice(int protocol)
{
    Device.reset();
    if (protocol == 0)
        Device = std::make_unique<TDevBaseEscPrt>();
    else if (protocol == 3)
        Device = std::make_unique<TDevBaseCpclPrt>();
    else
        Device = std::make_unique<TDevBaseTsplTscPrt>();
}

int32_t TDevNewPrt::PortTypeFromName(const QString& name)
{
    if (name == QLatin1String("USB"))
        return 1;
    if (name == QLatin1String("COM"))
        return 2;
    if (name == QLatin1String("LPT"))
        return 3;
    if (name == QLatin1String("NET"))
        return 4;
    return 0;
}

TDevBasePrt* TDevNewPrt::GetDevice()
{
    if (Device)
        Device->SetHandle(GlobalHandleOf(SdkLibOfKind(Device->ProtocolId)));
    return Device.get();
}

bool TDevNewPrt::Open(bool showMessage, QString& errorText)
{
    errorText.clear();
    TDevBasePrt* dev = GetDevice();
    if (OpenedFlag != 0) {
        // The flag follows the object's real port: a close through the procedures (or any
        // other road) means this open must open again.
        if (dev && dev->Handle == OpenedHandle && DevicePortIsOpen(*dev) != 0)
            return true;
        OpenedFlag = 0;  // the object or its port is gone
    }
    const int code = dev ? dev->Open(PortString) : prt::sdk::PRT_E_NO_OBJECT;
    LastOpenResult = code;
    if (code == 0) {
        OpenedFlag = -1;
        OpenedHandle = dev->Handle;
        return true;
    }
    errorText = OpenPortFailureMessage(code);
    if (showMessage)
        prt::MessageBoxPrt(errorText, prt::LangText(QStringLiteral("_MSG_Title_Error")), prt::MB_ICONERROR_);
    return false;
}

int TDevNewPrt::DevicePortIsOpen(const TDevBasePrt& dev)
{
    const prt::sdk::Lib lib = SdkLibOfKind(dev.ProtocolId);
    const PrtSdkApi& api = PrtSdkApiOf(lib);
    if (!api.PortIsOpen)
        return -1;  // the engine cannot tell: trust the flag
    return api.PortIsOpen(lib, dev.Handle) == 1 ? 1 : 0;
}

bool TDevNewPrt::OpenWithMessage()
{
    QString text;
    return Open(true, text);
}

void TDevNewPrt::Close()
{
    if (OpenedFlag == 0)
        return;
    // A port opened on an object that has since been replaced closed with that object.
    if (TDevBasePrt* dev = GetDevice(); dev && dev->Handle == OpenedHandle)
        dev->Close();
    OpenedFlag = 0;
}

QByteArray TDevNewPrt::BuildDoCommand(const QByteArray& key) const
{
    static const TDevBaseTsplTscPrt profile;  // prefix and line end when there is no device yet
    const TDevBasePrt& d = Device ? *Device : static_cast<const TDevBasePrt&>(profile);
    return d.CmdPrefix + QByteArray("do ") + key + d.LineEnd;
}

int32_t TDevNewPrt::SendCommand(const QByteArray& key)
{
    TDevBasePrt* dev = GetDevice();
    if (!dev)
        return -1;
    const QByteArray cmd = BuildDoCommand(key);
    const int code = dev->WriteData(reinterpret_cast<const uint8_t*>(cmd.constData()),
                                    static_cast<uint32_t>(cmd.size()));
    return code == 0 ? 0 : -1;
}

void TDevNewPrt::SendCommandEx(bool openAndClose, const QByteArray& key)
{
    if (openAndClose && !OpenWithMessage())
        return;
    SendCommand(key);
    if (openAndClose)
        Close();
}

uint32_t TDevNewPrt::ReadLoop()
{
    TDevBasePrt* dev = GetDevice();
    if (!dev)
        return 0;
    const uint32_t start = prt::GetTickCountMs();
    uint32_t dropped = 0;
    while (dropped < kDrainMaxBytes && TickDiff(start, prt::GetTickCountMs()) <= kDrainMaxMs) {
        uint8_t b = 0;
        uint32_t count = 0;
        const int code = dev->ReadData(&b, 1, &count);
        if (code != 0 || count < 1)
            break;
        ++dropped;
    }
    return dropped;
}
