#include "mdlTextParaPass.h"

#include "PrinterCMD.h"
#include "PrtTexts.h"
#include "PrtTick.h"
#include "mdlParaSetWidgets.h"
#include "mdlPrinterLib.h"
#include "mdlTextParaCodecs.h"
#include "mdlGlobalVar.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QWidget>

namespace textpara {

// ---- control states -------------------------------------------------------------------------

void TParaControls::AddCombo(const QString& name, const QStringList& items, int index)
{
    if (ctl_.contains(name))
        return;
    TParaCtl c;
    c.items = items;
    c.index = items.isEmpty() ? -1 : index;
    ctl_.insert(name, c);
    order_ << name;
}

void TParaControls::AddEdit(const QString& name, const QString& text)
{
    if (ctl_.contains(name))
        return;
    TParaCtl c;
    c.isEdit = true;
    c.text = text;
    ctl_.insert(name, c);
    order_ << name;
}

const TParaCtl& TParaControls::At(const QString& name) const
{
    static const TParaCtl none;
    const auto it = ctl_.constFind(name);
    return it == ctl_.constEnd() ? none : it.value();
}

QString TParaControls::ItemText(const QString& name) const
{
    const TParaCtl& c = At(name);
    return c.index >= 0 && c.index < c.items.size() ? c.items.at(c.index) : QString();
}

void TParaControls::SetRead(const QString& name, int index, int fallback)
{
    TParaCtl& c = ctl_[name];
    if (index >= 0 && (c.items.isEmpty() || index < c.items.size())) {
        c.index = index;
        c.known = true;
        return;
    }
    if (fallback != -2)
        c.index = fallback;
    c.known = false;
}

void TParaControls::SetTextRead(const QString& name, const QString& text, bool known)
{
    TParaCtl& c = ctl_[name];
    c.text = text;
    c.known = known;
}

void TParaControls::SetItems(const QString& name, const QStringList& items, int index)
{
    TParaCtl& c = ctl_[name];
    c.items = items;
    c.index = index >= 0 && index < items.size() ? index : (items.isEmpty() ? -1 : 0);
    c.known = false;
}

void TParaControls::TouchAll()
{
    for (auto it = ctl_.begin(); it != ctl_.end(); ++it)
        it->touched = true;
}

bool TParaControls::Sendable(const QString& name) const
{
    const TParaCtl& c = At(name);
    return c.known || c.touched;
}

bool TParaControls::AnySendable(const QStringList& names) const
{
    for (const QString& n : names)
        if (Sendable(n))
            return true;
    return false;
}

void PushControls(QWidget* form, const TParaControls& c, const QStringList& names)
{
    if (!form)
        return;
    for (const QString& name : names.isEmpty() ? c.Names() : names) {
        const TParaCtl& s = c.At(name);
        if (auto* combo = form->findChild<QComboBox*>(name)) {
            const QSignalBlocker block(combo);
            QStringList now;
            for (int i = 0; i < combo->count(); ++i)
                now << combo->itemText(i);
            if (now != s.items) {
                combo->clear();
                combo->addItems(s.items);
            }
            combo->setCurrentIndex(s.index < combo->count() ? s.index : -1);
        } else if (auto* edit = form->findChild<QLineEdit*>(name)) {
            const QSignalBlocker block(edit);
            if (edit->text() != s.text)
                edit->setText(s.text);
        } else if (auto* radio = form->findChild<TRadioGroup*>(name)) {
            if (!s.items.isEmpty() && radio->Items() != s.items)
                radio->SetItems(s.items);
            radio->SetItemIndex(s.index);
        }
    }
}

void PullControls(QWidget* form, TParaControls& c)
{
    if (!form)
        return;
    for (const QString& name : c.Names()) {
        TParaCtl& s = c[name];
        if (auto* combo = form->findChild<QComboBox*>(name)) {
            s.items.clear();
            for (int i = 0; i < combo->count(); ++i)
                s.items << combo->itemText(i);
            s.index = combo->currentIndex();
        } else if (auto* edit = form->findChild<QLineEdit*>(name)) {
            s.text = edit->text();
        } else if (auto* radio = form->findChild<TRadioGroup*>(name)) {
            s.items = radio->Items();
            s.index = radio->ItemIndex();
        }
    }
}

// ---- printer link ---------------------------------------------------------------------------

bool TLinkTextParaCmd::Open()
{
    EnsurePrinterObject();
    return CmdOpenPort();
}

void TLinkTextParaCmd::Close()
{
    CmdClosePort();
}

QString TLinkTextParaCmd::GetVal(const QByteArray& key)
{
    return CmdGetVal(key);
}

bool TLinkTextParaCmd::SetVal(const QByteArray& key, const QString& value, bool lower)
{
    return (lower ? CmdSetValLower(key, value) : CmdSetVal(key, value)) == 0;
}

bool TLinkTextParaCmd::Do(const QByteArray& key)
{
    EnsurePrinterObject();
    SetCmdLastResult(0);
    const bool writeFailed = CmdDo(key);
    // CmdDo reports a failed open only through its box and the last result.
    const int32_t last = CmdLastResult();
    return !writeFailed && (last == 0 || last == 5);
}

bool TLinkTextParaCmd::WriteRaw(const QByteArray& bytes)
{
    TsplWriteData(bytes);  // the printer's answer to this line is read and dropped
    prt::SleepMs(100);
    QByteArray buf(128, '\0');
    uint32_t count = 0;
    SetCmdLastResult(TsplReadData(reinterpret_cast<uint8_t*>(buf.data()), 128, &count));
    return true;
}

void TLinkTextParaCmd::Sleep(uint32_t ms)
{
    prt::SleepMs(ms);
}

// ---- write runner ---------------------------------------------------------------------------

bool RunParaOps(ITextParaCmd& cmd, const TParaOps& ops)
{
    for (const TParaOp& op : ops) {
        switch (op.kind) {
        case TParaOp::SetVal:
        case TParaOp::SetValKeepCase:
            if (!cmd.SetVal(op.key, op.value, op.kind == TParaOp::SetVal))
                return false;
            break;
        case TParaOp::Do:
            if (!cmd.Do(op.key))
                return false;
            break;
        case TParaOp::DoAndReopen:
            if (!cmd.Do(op.key) || !cmd.Open())
                return false;
            break;
        case TParaOp::Raw:
            cmd.WriteRaw(op.bytes);
            break;
        }
    }
    return true;
}

bool WritesASetting(const TParaOps& ops)
{
    for (const TParaOp& op : ops)
        if (op.kind == TParaOp::SetVal || op.kind == TParaOp::SetValKeepCase || op.kind == TParaOp::Raw)
            return true;
    return false;
}

QString FieldRangeMessage(const QString& caption, const QString& lo, const QString& hi)
{
    return FillTemplate(prt::LangText(QStringLiteral("Lang_All_00010021_11")), {caption, lo, hi});
}

// ---- shared step helpers ----

bool CheckBluetoothEdits(const TParaControls& c, QString& error)
{
    if (c.Sendable("txtBTPWD")) {
        const QString pin = c.Text("txtBTPWD").trimmed();
        if (pin.size() != 4) {
            error = prt::LangText(QStringLiteral("_Err_BTPWD_Len"));
            return false;
        }
        if (c.At("txtBTPWD").touched && !IsValidBtPin(pin)) {
            error = FieldRangeMessage(prt::LangText(QStringLiteral("_BTPWD")), QStringLiteral("0000"),
                                      QStringLiteral("9999"));
            return false;
        }
    }
    if (c.At("txtBTName").touched && !IsValidBtName(c.Text("txtBTName"))) {
        error = FieldRangeMessage(prt::LangText(QStringLiteral("_BTName")), QStringLiteral("!"), QStringLiteral("~"));
        return false;
    }
    return true;
}

void ReadQuad(TParaControls& c, const QStringList& names, const QString& reply)
{
    QStringList parts;
    if (!SplitDottedQuad(reply, parts))
        return;  // the edits keep what they show
    for (int i = 0; i < 4; ++i)
        c.SetTextRead(names.at(i), parts.at(i), true);
}

void ReadMac(TParaControls& c, const QStringList& names, const QString& reply)
{
    QStringList parts;
    if (!SplitMac(reply, parts))
        return;
    for (int i = 0; i < 6; ++i)
        c.SetTextRead(names.at(i), parts.at(i), true);
}

void ReadRadio(TParaControls& c, const QString& name, const QString& reply, int index)
{
    if (reply.isEmpty())
        c.SetRead(name, -1, index);
    else
        c.SetRead(name, index);
}

void SelectByText(TParaControls& c, const QString& name, const QString& reply)
{
    c.SetRead(name, FindItemByText(c.Items(name), reply), 0);
}

void AddSet(TParaOps& ops, const char* key, const QString& value, bool keepCase)
{
    TParaOp op;
    op.kind = keepCase ? TParaOp::SetValKeepCase : TParaOp::SetVal;
    op.key = Quoted(QString::fromLatin1(key));
    op.value = value;
    ops.push_back(op);
}

// Checks an integer edit and clamps it; false (with the message) when it is not a number.
bool ClampEdit(TParaControls& c, const QString& name, int lo, int hi, const QString& caption, QString& error)
{
    bool ok = false;
    const QString clamped = ClampIntText(c.Text(name), lo, hi, ok);
    if (!ok) {
        error = FieldRangeMessage(caption, QString::number(lo), QString::number(hi));
        return false;
    }
    c.SetText(name, clamped);
    return true;
}

bool QuadComplete(const TParaControls& c, const QStringList& names)
{
    for (const QString& n : names)
        if (c.Text(n).trimmed().isEmpty())
            return false;
    return true;
}

// Octets 0..255; false with the message otherwise.
bool CheckQuad(const TParaControls& c, const QStringList& names, const QString& caption, QString& error)
{
    for (const QString& n : names) {
        int v = 0;
        if (!ParseInt(c.Text(n), v) || v < 0 || v > 255) {
            error = FieldRangeMessage(caption, QStringLiteral("0"), QStringLiteral("255"));
            return false;
        }
    }
    return true;
}

QStringList TrimmedTexts(const TParaControls& c, const QStringList& names)
{
    QStringList out;
    for (const QString& n : names)
        out << c.Text(n).trimmed();
    return out;
}


void ApplyProtocolChange(const QString& printerProtocol, const QString& printerCodePage, TParaControls& c)
{
    const QString item = c.ItemText("cmbProtocol");
    const TProtocolLists l = ProtocolListsOf(item);
    const QStringList density = NumberItems(l.densityMax);
    c.SetItems("cmbDensity", density, static_cast<int>(density.indexOf(l.densityDefault)));
    c.SetItems("cmbCodepage", CharsetItems(l.charsetList), 0);
    if (SameProtocol(printerProtocol, item)) {
        const int i = FindItemByCode(c.Items("cmbCodepage"), printerCodePage);
        if (i >= 0)
            c.Select("cmbCodepage", i);
    }
    // The lists now show what the operator's choice implies: both are sent.
    c.Touch("cmbDensity");
    c.Touch("cmbCodepage");
}

QByteArray Quoted(const QString& key)
{
    return '"' + key.toLatin1() + '"';
}

} // namespace textpara
