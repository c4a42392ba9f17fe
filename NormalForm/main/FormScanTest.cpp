#include "FormScanTest.h"

#include "PrinterCMD.h"
#include "PrtMsgBox.h"
#include "PrtTexts.h"
#include "mdlGlobalVar.h"
#include "mdlPortResult.h"
#include "mdlPrinterLib.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <algorithm>

namespace {

void ErrorBox(const QString& text)
{
    prt::MessageBoxPrt(text, prt::LangText(QStringLiteral("_MSG_Title_Error")), prt::MB_ICONERROR_);
}

bool WholeNumber(const QString& text, int& v)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return false;
    for (QChar c : t)
        if (!c.isDigit() && c != QLatin1Char('-') && c != QLatin1Char('+'))
            return false;
    bool ok = false;
    v = t.toInt(&ok);
    return ok;
}

// A text of the window from the language file; the built-in Chinese text when the file has
// none (the window stays usable with an older language file).
QString ScanText(const char* key, const QString& builtIn)
{
    const QString text = prt::LangText(QString::fromLatin1(key));
    return text.isEmpty() ? builtIn : text;
}

} // namespace

QByteArray ScanTriggerCommand()
{
    return QByteArray(CMD_PREFIX) + "do \"scan_trigger\"\r\n";
}

QString CheckScanSize(const QString& width, const QString& height)
{
    int w = 0, h = 0;
    if (!WholeNumber(width, w) || w < 1)
        return ScanText("FormScanTest_MSGWidthInvalid", QStringLiteral("打印宽度输入非法"));
    if (w > 108)
        return ScanText("FormScanTest_MSGWidthTooLarge", QStringLiteral("打印宽度不能超过%smm"))
            .replace(QStringLiteral("%s"), QStringLiteral("108"));
    if (!WholeNumber(height, h) || h < 1)
        return ScanText("FormScanTest_MSGHeightInvalid", QStringLiteral("打印高度输入非法"));
    return QString();
}

QByteArray ScanLabelJob(const QString& width, const QString& height, const QStringList& lines)
{
    QByteArray job = "CLS\r\n";
    job += "SIZE " + width.toLatin1() + " mm," + height.toLatin1() + " mm\r\n";
    for (int i = 0; i < lines.size(); ++i) {
        QByteArray text = lines[i].toLatin1();
        text.replace("\"", "\\[\"]");
        job += "TEXT 10," + QByteArray::number(10 + 40 * i) + ",\"9\",0,50,50,\"" + text + "\"\r\n";
    }
    job += "PRINT 1\r\n";
    return job;
}

T_frmScanTest::T_frmScanTest(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmScanTest"));
    setWindowTitle(ScanText("FormScanTest_Caption", QStringLiteral("扫描测试")));
    grpTestParam = new QGroupBox(ScanText("FormScanTest_grpTestParam", QStringLiteral("测试参数")), this);
    grpTestParam->setObjectName(QStringLiteral("grpTestParam"));
    auto label = [this](const char* n, const QString& text) {
        auto* l = new QLabel(text, grpTestParam);
        l->setObjectName(QLatin1String(n));
        return l;
    };
    lblPrintWidth = label("lblPrintWidth", ScanText("FormScanTest_lblPrintWidth", QStringLiteral("可打印宽度：")));
    edtPrintWidth = new QLineEdit(QStringLiteral("50"), grpTestParam);
    edtPrintWidth->setObjectName(QStringLiteral("edtPrintWidth"));
    lblPrintWidthUnit = label("lblPrintWidthUnit", QStringLiteral("(<=108mm)"));
    lblPrintHeight = label("lblPrintHeight", ScanText("FormScanTest_lblPrintHeight", QStringLiteral("可打印高度：")));
    edtPrintHeight = new QLineEdit(QStringLiteral("30"), grpTestParam);
    edtPrintHeight->setObjectName(QStringLiteral("edtPrintHeight"));
    lblPrintHeightUnit = label("lblPrintHeightUnit", QStringLiteral("mm"));
    btnScanTest = new QPushButton(ScanText("FormScanTest_btnScanTest", QStringLiteral("扫描测试")), this);
    btnScanTest->setObjectName(QStringLiteral("btnScanTest"));
    // The labels take the width of the longer caption (the English ones are wider).
    const int labelWidth =
        std::max({100, lblPrintWidth->sizeHint().width(), lblPrintHeight->sizeHint().width()});
    const int editLeft = 10 + labelWidth + 2;
    const int unitLeft = editLeft + 76;
    const int unitWidth = std::max(100, lblPrintWidthUnit->sizeHint().width());
    const int groupWidth = unitLeft + unitWidth + 12;
    lblPrintWidth->setGeometry(10, 26, labelWidth, 24);
    edtPrintWidth->setGeometry(editLeft, 26, 70, 24);
    lblPrintWidthUnit->setGeometry(unitLeft, 26, unitWidth, 24);
    lblPrintHeight->setGeometry(10, 58, labelWidth, 24);
    edtPrintHeight->setGeometry(editLeft, 58, 70, 24);
    lblPrintHeightUnit->setGeometry(unitLeft, 58, unitWidth, 24);
    grpTestParam->setGeometry(10, 10, groupWidth, 96);
    const int buttonWidth = std::max(120, btnScanTest->sizeHint().width());
    btnScanTest->setGeometry(10 + groupWidth - buttonWidth, 114, buttonWidth, 30);
    tmrScanTest = new QTimer(this);
    tmrScanTest->setObjectName(QStringLiteral("tmrScanTest"));
    tmrScanTest->setInterval(100);
    tmrScanTest->setSingleShot(true);
    connect(tmrScanTest, &QTimer::timeout, this, [this] { tmrScanTestTimer(); });
    connect(btnScanTest, &QPushButton::clicked, this, [this] { btnScanTestClick(); });
    resize(groupWidth + 20, 152);
}

void T_frmScanTest::btnScanTestClick()
{
    const QString bad = CheckScanSize(edtPrintWidth->text(), edtPrintHeight->text());
    if (!bad.isEmpty()) {
        ErrorBox(bad);
        return;
    }
    EnsureTsplPrinterObject();
    const int r = TsplOpenPort(GetCurrentPortString());
    if (r != 0 && r != 5) {
        ErrorBox(OpenPortFailureMessage(r));
        return;
    }
    btnScanTest->setEnabled(false);
    FTicks = 0;
    tmrScanTest->start();
}

void T_frmScanTest::tmrScanTestTimer()
{
    tmrScanTest->stop();
    ++FTicks;
    if (FTicks > 10) {
        btnScanTest->setEnabled(true);
        emit testEnded();
        return;
    }
    EnsureTsplPrinterObject();
    TsplOpenPort(GetCurrentPortString());
    TsplWriteData(ScanTriggerCommand());
    QByteArray buf(128, '\0');
    uint32_t count = 0;
    for (int i = 0; i < 10 && count == 0; ++i) {
        SleepMs(uint32_t(ReadWaitMs));
        TsplReadData(reinterpret_cast<uint8_t*>(buf.data()), 128, &count);
    }
    if (count == 0) {
        tmrScanTest->start();
        TsplClosePort();
        return;
    }
    QString text;
    for (uint32_t i = 0; i < std::min<uint32_t>(count, 128); ++i)
        if (buf[int(i)] != 0)
            text += QChar(uint8_t(buf[int(i)]));
    QStringList lines = text.split(QStringLiteral("\r\n"));
    if (lines.size() > 1 && lines.last().isEmpty())
        lines.removeLast();  // the line end after the last line
    TsplWriteData(ScanLabelJob(edtPrintWidth->text(), edtPrintHeight->text(), lines));
    btnScanTest->setEnabled(true);
    TsplClosePort();
    emit testEnded();
}
