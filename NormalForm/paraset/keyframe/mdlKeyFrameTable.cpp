#include "mdlKeyFrameTable.h"

#include "CMD_Key.h"
#include "PrinterCMD.h"
#include "mdlGlobalVar.h"
#include "mdlPrinterLib.h"

namespace {

using R = TKfRead;
using W = TKfWrite;
using M = TKfMap;
using O = TKfOp;

TKeyFrameRow Row(TKfForm form, uint16_t id, const char* control, R read, W write, M map, uint8_t readLen,
                 uint8_t writeLen, O readOp, O writeOp, int offset = 0, const char* list = "")
{
    return TKeyFrameRow{form, id, control, read, write, map, readLen, writeLen, offset, list,
                        readOp, writeOp, read, write};
}

std::vector<TKeyFrameRow> BuildRows()
{
    std::vector<TKeyFrameRow> v;
    // V52: reads carry the form's copy of the global byte; writes carry 1 for the print and
    // Bluetooth ids and the global byte for the others.
    const TKfForm F = KF_V52;
    const O G = O::Global, I = O::One;
    v.push_back(Row(F, 0x64, "cmbDHCP", R::ByteValue, W::Byte2, M::ValueList, 1, 1, G, G, 0, "FillDhcpList"));
    v.push_back(Row(F, 0x65, "txtIP1", R::Bytes, W::Bytes, M::Octets, 4, 4, G, G));
    v.push_back(Row(F, 0x66, "txtSubnet1", R::Bytes, W::Bytes, M::Octets, 4, 4, G, G));
    v.push_back(Row(F, 0x67, "txtGateway1", R::Bytes, W::Bytes, M::Octets, 4, 4, G, G));
    v.push_back(Row(F, 0x68, "txtBTName", R::String, W::Key, M::Text, 12, 12, G, I));
    v.push_back(Row(F, 0x69, "txtBTPWD", R::String, W::Key, M::Text, 6, 4, G, I));
    v.push_back(Row(F, 0x6a, "chkSimplePairing", R::ByteValue, W::Byte, M::InvertedCheck, 1, 1, G, I));
    v.push_back(Row(F, 0x71, "txtMac1", R::Bytes, W::None, M::MacHex, 6, 0, G, G));
    v.push_back(Row(F, 0x78, "cmbWifiMode", R::ByteValue, W::Byte2, M::Index, 1, 1, G, G, 1));
    v.push_back(Row(F, 0x79, "cmbWifiAP_PwdNeeded", R::ByteValue, W::Byte2, M::ValueList, 1, 1, G, G, 0,
                    "FillWifiApPwdList"));
    v.push_back(Row(F, 0x7a, "cmbWifiSTA_WifiName", R::String, W::Key, M::Utf8Text, 32, 32, G, G));
    v.push_back(Row(F, 0x7b, "txtWPWD", R::String, W::Key, M::Utf8Text, 32, 32, G, G));
    v.push_back(Row(F, 0x7c, "cmbWifiSTA_WifiName", R::String, W::Key, M::Utf8Text, 32, 32, G, G));
    v.push_back(Row(F, 0x7d, "txtWPWD", R::String, W::Key, M::Utf8Text, 32, 32, G, G));
    v.push_back(Row(F, 0x80, "txtWIP1", R::Bytes, W::Bytes, M::Octets, 4, 4, G, G));
    v.push_back(Row(F, 0x81, "txtWIP1", R::Bytes, W::Bytes, M::Octets, 4, 4, G, G));
    v.push_back(Row(F, 0x82, "cmbWifiDhcp", R::ByteValue, W::Byte2, M::Index, 1, 1, G, G));
    v.push_back(Row(F, 0x83, "cmbNetSwitch", R::ByteValue, W::Byte2, M::Index, 1, 1, G, G));
    v.push_back(Row(F, 0x84, "cmbWSwitch", R::ByteValue, W::Byte2, M::Index, 1, 1, G, G));
    v.push_back(Row(F, 0x85, "txtWGate1", R::Bytes, W::Bytes, M::Octets, 4, 4, G, G));
    v.push_back(Row(F, 0x86, "txtWSN1", R::Bytes, W::Bytes, M::Octets, 4, 4, G, G));
    v.push_back(Row(F, 0x93, "txtWMAC1", R::Bytes, W::None, M::MacHex, 6, 0, G, G));
    v.push_back(Row(F, 0x9a, "txtWGate1", R::Bytes, W::Bytes, M::Octets, 4, 4, G, G));
    v.push_back(Row(F, 0x9b, "txtWSN1", R::Bytes, W::Bytes, M::Octets, 4, 4, G, G));
    v.push_back(Row(F, 0xca, "cmbPrintSpeed", R::ByteValue, W::Byte, M::ByText, 1, 1, G, I));
    v.push_back(Row(F, 0xcb, "cmbDensity", R::ByteValue, W::Byte, M::ByText, 1, 1, G, I));
    v.push_back(Row(F, 0xce, "cmbDetectMode", R::ByteValue, W::Byte, M::Permute021, 1, 1, G, I));
    v.push_back(Row(F, 0xd0, "txtPrintToStop", R::Word2, W::TwoBytes, M::SignedDiv8, 2, 2, G, I));
    v.push_back(Row(F, 0xec, "cmbRepeatPrint", R::ByteValue, W::Byte2, M::ValueList, 1, 1, G, G, 0,
                    "FillRepeatPrintList"));
    v.push_back(Row(F, 0xf0, "cmbFinetuneHeatingTime", R::ByteValue, W::Byte, M::ByText, 1, 1, G, I));
    v.push_back(Row(F, 0xf1, "cmbBoxPosition", R::ByteValue, W::DWord, M::Index, 1, 4, G, I));
    v.push_back(Row(F, 0x12c, "cmbLanague", R::ByteValue, W::Byte2, M::ValueList, 1, 1, G, G, 0,
                    "FillPrinterLanguageList"));
    v.push_back(Row(F, 0x138, "cmbProtocol", R::ByteValue, W::Byte2, M::ValueList, 1, 1, G, G, 0,
                    "FillProtocolList"));
    v.push_back(Row(F, 0x142, "cmbCodepage", R::Word, W::Word, M::SignedList, 2, 2, G, G, 0, "FillCodePageList"));
    v.push_back(Row(F, 0x1a0, "cmbReleasePaper", R::ByteValue, W::Byte, M::ValueList, 1, 1, G, G, 0,
                    "FillReleasePaperList"));

    // W16P.
    const TKfForm P = KF_W16P;
    v.push_back(Row(P, 0x6c, "cmbBaudRate", R::ByteValue, W::Byte, M::Index, 1, 1, I, I));
    v.push_back(Row(P, 0xca, "cmbPrintSpeed", R::ByteValue, W::Byte, M::Index, 1, 1, I, I, 5));
    v.push_back(Row(P, 0xcb, "cmbDensity", R::ByteValue, W::Byte, M::Index, 1, 1, I, I));
    v.push_back(Row(P, 0xce, "cmbPaperMode", R::ByteValue, W::Byte, M::ValueList, 1, 1, G, G, 0,
                    "FillPaperModeList"));
    TKeyFrameRow stop = Row(P, 0xd0, "txtPrintToStop", R::Word2, W::TwoBytes, M::StopW16P, 2, 2, I, I);
    stop.AltRead = R::Word;
    stop.AltWrite = W::Word;
    v.push_back(stop);
    v.push_back(Row(P, 0xd5, "cmbCutters", R::ByteValue, W::Byte, M::ValueList, 1, 1, I, G, 0, "FillCutterList"));
    v.push_back(Row(P, 0xec, "cmbRePrintSwitch", R::ByteValue, W::Byte, M::ValueList, 1, 1, G, G, 0,
                    "FillRePrintSwitchList"));
    v.push_back(Row(P, 0xee, "txtMinStudyPaperLength", R::Word, W::Word, M::Number, 2, 2, I, G));
    v.push_back(Row(P, 0x194, "cmbBuzzerSound", R::ByteValue, W::Byte, M::Index, 1, 1, I, I));
    v.push_back(Row(P, 0x19e, "cmbBackLight", R::ByteValue, W::Byte, M::Index, 1, 1, I, I));
    v.push_back(Row(P, 0x1a0, "cmbReleasePaper", R::ByteValue, W::Byte, M::ValueList, 1, 1, G, G, 0,
                    "FillReleasePaperList"));

    // UZ650B: operation byte 1 everywhere.
    const TKfForm U = KF_UZ650B;
    v.push_back(Row(U, 0x68, "txtBTName", R::String, W::Key, M::Text, 12, 12, I, I));
    v.push_back(Row(U, 0x69, "txtBTPWD", R::String, W::Key, M::Text, 4, 4, I, I));
    v.push_back(Row(U, 0xca, "cmbPrintSpeed", R::ByteValue, W::Byte, M::Index, 1, 1, I, I, 2));
    v.push_back(Row(U, 0xcb, "cmbDensity", R::ByteValue, W::Byte, M::Index, 1, 1, I, I));
    v.push_back(Row(U, 0xce, "cmbJudgePaperMode", R::ByteValue, W::Byte, M::Index, 1, 1, I, I));
    v.push_back(Row(U, 0xd1, "gpbAutoPosition", R::ByteValue, W::Byte, M::Index, 1, 1, I, I));
    v.push_back(Row(U, 0x195, "cmbProtocolType", R::ByteValue, W::Byte, M::Index, 1, 1, I, I));
    return v;
}

uint8_t U8(const QByteArray& b, int i)
{
    return static_cast<uint8_t>(b.at(i));
}

} // namespace

const std::vector<TKeyFrameRow>& KeyFrameRows()
{
    static const std::vector<TKeyFrameRow> rows = BuildRows();
    return rows;
}

const TKeyFrameRow* FindKeyFrameRow(TKfForm form, uint16_t id)
{
    for (const TKeyFrameRow& r : KeyFrameRows())
        if (r.Form == form && r.Id == id)
            return &r;
    return nullptr;
}

uint8_t KfOpByte(TKfOp op, uint8_t globalOp)
{
    return op == TKfOp::One ? 1 : globalOp;
}

// ---- plain mappings --------------------------------------------------------------------------

int KfSigned16(uint8_t lo, uint8_t hi)
{
    return static_cast<int16_t>(static_cast<uint16_t>(lo | (hi << 8)));
}

int KfStopShownOfWord(int signedWord)
{
    return signedWord / 8;  // C++ division cuts toward zero
}

int KfStopWordOfShown(int shown)
{
    return shown * 8;
}

int KfDetectIndexOfValue(int value)
{
    switch (value) {
    case 0: return 0;
    case 1: return 2;
    case 2: return 1;
    default: return -1;
    }
}

int KfDetectValueOfIndex(int index)
{
    return KfDetectIndexOfValue(index);  // the permutation is its own inverse
}

int KfW16PStopShown(uint8_t lo, uint8_t hi, bool wide)
{
    if (wide)
        return KfSigned16(lo, hi);
    const int v = lo + 256 * hi;
    return v > 99 ? v - 65535 : v;
}

int32_t KfW16PStopWireValue(int shown, bool wide)
{
    if (wide || shown >= 0)
        return shown;
    return (shown - 1) & 0xFFFF;
}

QStringList KfMacTexts(const QByteArray& bytes)
{
    QStringList t;
    for (char c : bytes)
        t << QStringLiteral("%1").arg(static_cast<uint8_t>(c), 2, 16, QLatin1Char('0')).toUpper();
    return t;
}

QStringList KfOctetTexts(const QByteArray& bytes)
{
    QStringList t;
    for (char c : bytes)
        t << QString::number(static_cast<uint8_t>(c));
    return t;
}

bool KfOctetsOfTexts(const QStringList& texts, QByteArray& bytes)
{
    QByteArray out;
    for (const QString& t : texts) {
        if (t.isEmpty() || t.size() > 3)
            return false;
        for (QChar c : t)
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return false;
        const int v = t.toInt();
        if (v > 255)
            return false;
        out.append(static_cast<char>(v));
    }
    bytes = out;
    return true;
}

bool KfParseInt(const QString& text, int& value)
{
    const QString t = text.trimmed();
    if (t.isEmpty() || t == QLatin1String("-"))
        return false;
    for (int i = 0; i < t.size(); ++i) {
        const QChar c = t.at(i);
        if (c == QLatin1Char('-') && i == 0)
            continue;
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    bool ok = false;
    const int v = t.toInt(&ok);
    if (!ok)
        return false;
    value = v;
    return true;
}

bool KfListTextOfValue(const QStringList* list, int value, QString& text)
{
    int found = 0;
    QString v;
    FindValueByName(QString::number(value), list, found, v);
    if (found != 1)
        return false;
    text = v;
    return true;
}

bool KfListValueOfText(const QStringList* list, const QString& text, int& value)
{
    int found = 0;
    QString name;
    FindNameByValue(text, list, found, name);
    if (found != 1)
        return false;
    bool ok = false;
    const int v = name.toInt(&ok);
    if (!ok)
        return false;
    value = v;
    return true;
}

// ---- codec -----------------------------------------------------------------------------------

bool KfDecode(const TKeyFrameRow& row, const QByteArray& reply, const TKfContext& ctx, TKfShown& shown)
{
    const bool word = row.Map == M::SignedDiv8 || row.Map == M::StopW16P || row.Map == M::Number ||
                      row.Map == M::SignedList;
    if (row.Map == M::Octets || row.Map == M::MacHex) {
        if (reply.size() != row.ReadLen)
            return false;
    } else if (row.Map == M::Text || row.Map == M::Utf8Text) {
        // Any reply, the empty one included, is the text.
    } else if (word ? reply.size() < 2 : reply.isEmpty()) {
        return false;
    }
    const int byte = reply.isEmpty() ? 0 : U8(reply, 0);
    switch (row.Map) {
    case M::ValueList:
    case M::SignedList: {
        const int value = row.Map == M::SignedList ? KfSigned16(U8(reply, 0), U8(reply, 1)) : byte;
        QString text;
        if (!KfListTextOfValue(ctx.List, value, text))
            return false;
        shown.Text = text;
        shown.Index = ctx.Items.indexOf(text);
        return true;
    }
    case M::Index: {
        const int index = byte - row.Offset;
        if (index < 0 || index >= ctx.Items.size())
            return false;
        shown.Index = index;
        shown.Text = ctx.Items.at(index);
        return true;
    }
    case M::ByText: {
        const int index = ctx.Items.indexOf(QString::number(byte));
        if (index < 0)
            return false;
        shown.Index = index;
        shown.Text = ctx.Items.at(index);
        return true;
    }
    case M::InvertedCheck:
        shown.Checked = byte == 0;
        return true;
    case M::Permute021: {
        const int index = KfDetectIndexOfValue(byte);
        if (index < 0 || index >= ctx.Items.size())
            return false;
        shown.Index = index;
        shown.Text = ctx.Items.at(index);
        return true;
    }
    case M::Octets:
        shown.Parts = KfOctetTexts(reply);
        return true;
    case M::MacHex:
        shown.Parts = KfMacTexts(reply);
        return true;
    case M::Text:
        shown.Text = QString::fromLatin1(reply);
        return true;
    case M::Utf8Text:
        shown.Text = QString::fromUtf8(reply);
        return true;
    case M::SignedDiv8:
        shown.Text = QString::number(KfStopShownOfWord(KfSigned16(U8(reply, 0), U8(reply, 1))));
        return true;
    case M::StopW16P:
        shown.Text = QString::number(KfW16PStopShown(U8(reply, 0), U8(reply, 1), !ctx.Alt));
        return true;
    case M::Number:
        shown.Text = QString::number(U8(reply, 0) + 256 * U8(reply, 1));
        return true;
    }
    return false;
}

bool KfEncode(const TKeyFrameRow& row, const TKfShown& shown, const TKfContext& ctx, TKfWire& wire)
{
    if (row.Write == W::None)
        return false;
    switch (row.Map) {
    case M::ValueList:
    case M::SignedList:
        return KfListValueOfText(ctx.List, shown.Text, wire.Int);
    case M::Index:
        if (shown.Index < 0)
            return false;
        wire.Int = shown.Index + row.Offset;
        return true;
    case M::ByText:
        return KfParseInt(shown.Text, wire.Int);
    case M::InvertedCheck:
        wire.Int = shown.Checked ? 0 : 1;
        return true;
    case M::Permute021:
        wire.Int = KfDetectValueOfIndex(shown.Index);
        return wire.Int >= 0;
    case M::Octets:
        return shown.Parts.size() == row.WriteLen && KfOctetsOfTexts(shown.Parts, wire.Bytes);
    case M::MacHex:
        return false;
    case M::Text:
        wire.Text = shown.Text;
        return true;
    case M::Utf8Text:
        wire.Bytes = shown.Text.toUtf8();
        return true;
    case M::SignedDiv8: {
        int n = 0;
        if (!KfParseInt(shown.Text, n))
            return false;
        wire.Int = KfStopWordOfShown(n);
        return true;
    }
    case M::StopW16P: {
        int n = 0;
        if (!KfParseInt(shown.Text, n))
            return false;
        wire.Int = KfW16PStopWireValue(n, !ctx.Alt);
        return true;
    }
    case M::Number:
        return KfParseInt(shown.Text, wire.Int);
    }
    return false;
}

int KfWriteWidth(const TKeyFrameRow& row, bool alt)
{
    switch (alt ? row.AltWrite : row.Write) {
    case W::None: return 0;
    case W::Byte:
    case W::Byte2: return 1;
    case W::Word:
    case W::TwoBytes: return 2;
    case W::DWord: return 4;
    case W::Bytes:
    case W::Key: return row.WriteLen;
    }
    return 0;
}

QByteArray KfAsReadValue(const TKeyFrameRow& row, const QByteArray& reply, bool alt)
{
    const int width = KfWriteWidth(row, alt);
    QByteArray value = reply.left(width);
    value.append(QByteArray(width - value.size(), '\0'));
    return value;
}

// ---- printer ---------------------------------------------------------------------------------

bool KfOpenPort()
{
    EnsurePrinterObject();
    return CmdKeyOpenPort();
}

bool KfReadRow(const TKeyFrameRow& row, uint8_t op, QByteArray& reply, bool alt)
{
    EnsurePrinterObject();
    reply.clear();
    switch (alt ? row.AltRead : row.Read) {
    case R::ByteValue: {
        QByteArray buf(1, '\0');
        if (CmdKeyGetKeyByteValue(op, row.Id, buf) <= 0)
            return false;
        reply = buf.left(1);
        return true;
    }
    case R::Word: {
        QByteArray buf(2, '\0');
        if (CmdKeyGetKeyWord(op, row.Id, buf) < 2)
            return false;
        reply = buf.left(2);
        return true;
    }
    case R::Word2: {
        int32_t value = 0;
        QByteArray raw;
        if (CmdKeyGetKeyWord2(op, row.Id, value, raw) < 2)
            return false;
        reply = raw.left(2);
        return reply.size() == 2;
    }
    case R::Bytes: {
        QByteArray buf(row.ReadLen, '\0');
        if (CmdKeyGetKeyBytes(op, row.Id, buf, row.ReadLen) != row.ReadLen)
            return false;
        reply = buf.left(row.ReadLen);
        return true;
    }
    case R::String: {
        QString text;
        CmdKeyGetKeyString(op, row.Id, row.ReadLen, text);
        // The reader hands the bytes over one character per byte.
        reply = text.toLatin1();
        return !reply.isEmpty();
    }
    }
    return false;
}

int32_t KfWriteRow(const TKeyFrameRow& row, uint8_t op, const TKfWire& wire, bool alt)
{
    if (wire.AsRead) {
        const int width = KfWriteWidth(row, alt);
        if (width == 0)
            return -1;
        return CmdKeySetKeyBytes(op, row.Id, KfAsReadValue(row, wire.Bytes, alt), static_cast<uint32_t>(width));
    }
    switch (alt ? row.AltWrite : row.Write) {
    case W::None:
        return -1;
    case W::Byte:
        return CmdKeySetKeyByte(op, row.Id, static_cast<uint8_t>(wire.Int));
    case W::Byte2:
        return CmdKeySetKeyByte2(op, row.Id, static_cast<uint8_t>(wire.Int));
    case W::Word:
        return CmdKeySetKeyWord(op, row.Id, wire.Int);
    case W::TwoBytes:
        return CmdKeySetKeyTwoBytes(op, row.Id, wire.Int);
    case W::DWord:
        return CmdKeySetKeyDWord(op, row.Id, static_cast<uint32_t>(wire.Int));
    case W::Bytes:
        return CmdKeySetKeyBytes(op, row.Id, wire.Bytes, row.WriteLen);
    case W::Key:
        if (row.Map == M::Utf8Text)
            return CmdKeySetKeyBytes(op, row.Id, wire.Bytes, row.WriteLen);
        return CmdKeySetKey(op, row.Id, wire.Text, row.WriteLen, false);
    }
    return -1;
}

bool KfDo(const QByteArray& quotedKey)
{
    EnsurePrinterObject();
    return CmdKeyDo(quotedKey);
}

bool KfLinkHeld(uint8_t op, uint16_t id)
{
    // A printer that took the frames answers at once; the wait is spent in full only when
    // no answer comes (a connection dropped gives a read error at once).
    constexpr uint32_t kAnswerWaitMs = 1000;
    const QByteArray frame = BuildGetKeyFrame(op, id, 1);
    PrtDiscardInput();
    if (PrtWriteData(frame) != 0)
        return false;
    uint8_t byte = 0;
    uint32_t count = 0;
    return PrtReadDataEOF(&byte, kAnswerWaitMs, 1, 0, 0, &count) == 0 && count == 1;
}

bool KfDoHeld(const QByteArray& quotedKey, uint8_t op, uint16_t id)
{
    if (!KfOpenPort())
        return false;  // the open routine has said why
    const bool held = CmdDoEx(quotedKey, false) == 0 && KfLinkHeld(op, id);
    CmdKeyClosePort();
    return held;
}
