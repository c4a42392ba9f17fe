#include "mdlTextParaWidgets.h"

#include "PrtMsgBox.h"
#include "PrtTexts.h"
#include "mdlPubFunc.h"
#include "mdlTextParaCodecs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPointer>
#include <QRadioButton>
#include <QComboBox>
#include <QLabel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QButtonGroup>
#include <QHBoxLayout>
#include <QRadioButton>

// ---- TTextParaDialog ----

TTextParaDialog::TTextParaDialog(QWidget* parent) : QDialog(parent)
{
    cmd_ = std::make_unique<textpara::TLinkTextParaCmd>();
}

TTextParaDialog::~TTextParaDialog()
{
    StopRead();
    CutLeaveHandlers(this);
}

namespace {

// The form's printer commands as the read's worker uses them: once the form is closed,
// nothing more goes to the printer but the closing of the port. Notes whether the printer
// answered any question (a reply with more than line ends, blanks and zero bytes).
class TStoppableCmd : public textpara::ITextParaCmd {
public:
    TStoppableCmd(textpara::ITextParaCmd& inner, const std::atomic<bool>& stop) : inner_(inner), stop_(stop) {}
    bool Answered() const { return answered_; }
    bool Open() override { return !stop_ && inner_.Open(); }
    void Close() override { inner_.Close(); }
    QString GetVal(const QByteArray& key) override
    {
        if (stop_)
            return QString();
        const QString reply = inner_.GetVal(key);
        if (!textpara::TrimReply(reply).isEmpty())
            answered_ = true;
        return reply;
    }
    bool SetVal(const QByteArray& key, const QString& value, bool lower) override
    {
        return !stop_ && inner_.SetVal(key, value, lower);
    }
    bool Do(const QByteArray& key) override { return !stop_ && inner_.Do(key); }
    bool WriteRaw(const QByteArray& bytes) override { return !stop_ && inner_.WriteRaw(bytes); }
    void Sleep(uint32_t ms) override
    {
        if (!stop_)
            inner_.Sleep(ms);
    }

private:
    textpara::ITextParaCmd& inner_;
    const std::atomic<bool>& stop_;
    bool answered_ = false;
};

} // namespace

void TTextParaDialog::WithholdSetUntilRead(QPushButton* set)
{
    setButton_ = set;
    setButton_->setEnabled(readCompleted_);
}

bool TTextParaDialog::OpenForRead()
{
    readCompleted_ = false;
    if (setButton_)
        setButton_->setEnabled(false);
    return cmd_->Open();
}

void TTextParaDialog::StartRead(std::function<void(textpara::ITextParaCmd&)> work,
                                std::function<void(bool completed)> finished, const QList<QWidget*>& busy)
{
    StopRead();  // one read at a time (a former one has ended: it is only joined here)
    cancel_ = false;
    reading_ = true;
    readCompleted_ = false;
    for (QWidget* w : busy)
        w->setEnabled(false);
    if (qobject_cast<QApplication*>(QCoreApplication::instance())) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        busyCursor_ = true;
    }
    QList<QPointer<QWidget>> toEnable;
    for (QWidget* w : busy)
        toEnable << w;
    reader_ = std::thread([this, work = std::move(work), finished = std::move(finished), toEnable] {
        TStoppableCmd cmd(*cmd_, cancel_);
        work(cmd);
        const bool ranToEnd = !cancel_;
        const bool answered = cmd.Answered();
        Post([this, finished, toEnable, ranToEnd, answered] {
            if (reader_.joinable())
                reader_.join();
            const bool stopped = !ranToEnd || cancel_;  // the form was closed
            readCompleted_ = answered && !stopped;
            for (const QPointer<QWidget>& w : toEnable)
                if (w)
                    w->setEnabled(true);
            if (setButton_)
                setButton_->setEnabled(readCompleted_);
            if (busyCursor_) {
                QApplication::restoreOverrideCursor();
                busyCursor_ = false;
            }
            finished(readCompleted_);
            reading_ = false;
            if (!readCompleted_ && !stopped)
                prt::MessageBoxPrt(prt::LangText(QStringLiteral("_Err_ReadData")),
                                   prt::LangText(QStringLiteral("_MSG_Title_Error")), prt::MB_ICONERROR_);
        });
    });
}

void TTextParaDialog::Post(std::function<void()> fn)
{
    QMetaObject::invokeMethod(this, std::move(fn), Qt::QueuedConnection);
}

void TTextParaDialog::StopRead()
{
    cancel_ = true;
    if (reader_.joinable())
        reader_.join();
    if (busyCursor_) {
        QApplication::restoreOverrideCursor();
        busyCursor_ = false;
    }
}

void TTextParaDialog::done(int result)
{
    cancel_ = true;  // the worker sends nothing more; its results still land in the controls
    QDialog::done(result);
}

void TTextParaDialog::SetCommand(std::unique_ptr<textpara::ITextParaCmd> cmd)
{
    cmd_ = std::move(cmd);
}

QLabel* TTextParaDialog::Label(const QString& name, QWidget* parent)
{
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    return l;
}

QLineEdit* TTextParaDialog::Edit(const QString& name, QWidget* parent, int maxTyped, paraset::TKeyFilter filter)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setValidator(new TFilterValidator(e, filter, maxTyped));
    return e;
}

QComboBox* TTextParaDialog::Combo(const QString& name, QWidget* parent)
{
    auto* c = new QComboBox(parent);
    c->setObjectName(name);
    c->setMinimumWidth(110);
    return c;
}

TRadioGroup* TTextParaDialog::Radio(const QString& name, QWidget* parent)
{
    return new TRadioGroup(name, parent);
}

void TTextParaDialog::WireTouches()
{
    for (QComboBox* cb : findChildren<QComboBox*>()) {
        const QString name = cb->objectName();
        connect(cb, &QComboBox::activated, this, [this, name](int index) {
            c_.Select(name, index);
            c_.Touch(name);
            ComboPicked(name);
        });
    }
    for (QLineEdit* e : findChildren<QLineEdit*>()) {
        const QString name = e->objectName();
        connect(e, &QLineEdit::textEdited, this, [this, name](const QString& text) {
            c_.SetText(name, text);
            c_.Touch(name);
        });
        connect(e, &QLineEdit::editingFinished, this, [this, e] { EditLeft(e); });
    }
    for (TRadioGroup* r : findChildren<TRadioGroup*>()) {
        const QString name = r->objectName();
        // The operator's click (programmatic selections do not click).
        for (int i = 0; i < r->ItemCount(); ++i)
            connect(r->Button(i), &QAbstractButton::clicked, this, [this, name, i] {
                c_.Select(name, i);
                c_.Touch(name);
            });
    }
}

void TTextParaDialog::Push()
{
    textpara::PushControls(this, c_);
}

void TTextParaDialog::Pull()
{
    textpara::PullControls(this, c_);
}

void TTextParaDialog::ApplyCaptions(const std::vector<std::pair<const char*, const char*>>& captions)
{
    for (const auto& [name, key] : captions) {
        const QString text = prt::LangText(QString::fromLatin1(key));
        if (auto* g = findChild<QGroupBox*>(QString::fromLatin1(name)))
            g->setTitle(text);
        else if (auto* l = findChild<QLabel*>(QString::fromLatin1(name)))
            l->setText(text);
    }
}

void TTextParaDialog::SetCaptionItems(const QString& name, const QStringList& keys)
{
    QStringList items;
    for (const QString& k : keys)
        items << prt::LangText(k);
    const int keep = c_.Index(name);
    c_.SetItems(name, items, keep);
    if (auto* r = findChild<TRadioGroup*>(name))
        r->SetItems(items);
}

void TTextParaDialog::CheckValueRange(QLineEdit* edit, bool ranged, int lo, int hi)
{
    const QString name = edit->objectName();
    if (edit->text().trimmed().isEmpty()) {
        edit->setText(QStringLiteral("0"));
        c_.SetText(name, edit->text());
        return;
    }
    if (!ranged)
        return;
    bool ok = false;
    const QString clamped = textpara::ClampIntText(edit->text(), lo, hi, ok);
    if (ok && clamped != edit->text()) {
        edit->setText(clamped);
        c_.SetText(name, clamped);
    }
}
