#include "mdlPrintTextJobs.h"

#include "PrinterCMD.h"
#include "PrtCodePage.h"

namespace {

const QString kCrLf = QStringLiteral("\r\n");

QByteArray Ansi(const QString& text, int codePage)
{
    return prt::TextToCodePageBytes(text, codePage);
}

// "SIZE w" + "mm," + h + "mm" CR LF with the texts as they stand.
QString SizeLineMm(const QString& w, const QString& h)
{
    return QStringLiteral("SIZE ") + w + QStringLiteral("mm,") + h + QStringLiteral("mm") + kCrLf;
}

QString Quote(const QString& s)
{
    return QLatin1Char('"') + s + QLatin1Char('"');
}

QString ZplLength(int lines)
{
    return QString::number(lines * 54 + 100);
}

} // namespace

// ---- shared ---------------------------------------------------------------------------------

QStringList SplitPrintTextLines(const QString& text)
{
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return t.split(QLatin1Char('\n'));
}

QString TextWithCrLf(const QString& text)
{
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    t.replace(QStringLiteral("\n"), kCrLf);
    return t;
}

int CodeListEntryToCodePage(const QStringList& codeList, int index)
{
    if (index < 0 || index >= codeList.size())
        return 0;
    bool ok = false;
    const int code = codeList.at(index).trimmed().toInt(&ok);
    return ok && code > 0 ? code : 0;
}

QString FillSlots(const QString& tmpl, const QStringList& values)
{
    // Walk the template once so a value's own text is never searched again.
    QString out;
    out.reserve(tmpl.size() + 32);
    for (qsizetype i = 0; i < tmpl.size();) {
        bool filled = false;
        if (tmpl.at(i) == QLatin1Char('{')) {
            const qsizetype close = tmpl.indexOf(QLatin1Char('}'), i + 1);
            if (close > i + 1 && close - i <= 4) {
                bool ok = false;
                const int k = tmpl.mid(i + 1, close - i - 1).toInt(&ok);
                if (ok && k >= 0 && k < values.size()) {
                    out += values.at(k);
                    i = close + 1;
                    filled = true;
                }
            }
        }
        if (!filled)
            out += tmpl.at(i++);
    }
    return out;
}

QString FillPercentS(const QString& tmpl, const QStringList& values)
{
    QString out;
    int next = 0;
    for (qsizetype i = 0; i < tmpl.size();) {
        if (next < values.size() && tmpl.at(i) == QLatin1Char('%') && i + 1 < tmpl.size() &&
            tmpl.at(i + 1) == QLatin1Char('s')) {
            out += values.at(next++);
            i += 2;
        } else {
            out += tmpl.at(i++);
        }
    }
    return out;
}

// ---- label windows -----------------------------------------------------------------------------

QByteArray BuildLabelFont2Job(const QString& widthText, const QString& heightText, const QString& text,
                              int codePage)
{
    QString job = SizeLineMm(widthText, heightText) + QStringLiteral("CLS") + kCrLf +
                  QStringLiteral("CODEPAGE 936") + kCrLf;
    int y = 150;
    for (const QString& line : SplitPrintTextLines(text)) {
        y += 40;
        job += QStringLiteral("TEXT 40,") + QString::number(y) + QStringLiteral(",\"2\",0,1,1,0,") + Quote(line) +
               kCrLf;
    }
    job += QStringLiteral("PRINT 1") + kCrLf;
    return Ansi(job, codePage);
}

QByteArray BuildLabelGapJob(const QString& widthText, const QString& heightText, const QString& text,
                            int codePage)
{
    QString job = SizeLineMm(widthText, heightText) + QStringLiteral("GAP 2 mm, 0 mm") + kCrLf +
                  QStringLiteral("CLS") + kCrLf;
    int y = 0;
    for (const QString& line : SplitPrintTextLines(text)) {
        y += 50;
        job += QStringLiteral("TEXT 50,") + QString::number(y) + QStringLiteral(",\"9\",0,40,40,") + Quote(line) +
               kCrLf;
    }
    job += QStringLiteral("PRINT 1") + kCrLf;
    return Ansi(job, codePage);
}

QString BuildCpclLineJob(const QString& line)
{
    return QStringLiteral("! 0 200 200 80 1") + kCrLf + QStringLiteral("TEXT 5 0 30 40 ") + line + kCrLf +
           QStringLiteral("PRINT") + kCrLf;
}

TTextJob BuildCpclLineJobs(const QString& text, int codePage)
{
    TTextJob job;
    for (const QString& line : SplitPrintTextLines(text))
        job.append({Ansi(BuildCpclLineJob(line), codePage), false});
    return job;
}

bool IsNameCommaInText(const QString& name, const QString& listText)
{
    return listText.contains(name + QLatin1Char(','));
}

TTextJob BuildGeneralTsplJob(const TTsplTextInput& in)
{
    TTextJob job;
    const bool zrUtf8 = in.zr640 && in.utf8Mode;
    if (zrUtf8)
        job.append({BuildSetValCommand(QByteArrayLiteral("\"viet_mode\""), QStringLiteral("2")), false});
    job.append({QByteArrayLiteral("CLS\r\n"), true});
    job.append({Ansi(QStringLiteral("SIZE ") + in.widthText.trimmed() + QStringLiteral(" mm,") +
                         in.heightText.trimmed() + QStringLiteral(" mm") + kCrLf,
                     in.codePage),
                false});
    const int x = 10;
    int y = 10;
    for (const QString& line : SplitPrintTextLines(in.text)) {
        QString tmpl;
        if (zrUtf8)
            tmpl = QStringLiteral("TEXT {0},{1},\"Z\",0,1,1,\"{2}\"");
        else if (in.vectorFont)
            tmpl = QStringLiteral("TEXT {0},{1},\"9\",0,50,50,\"{2}\"");
        else
            tmpl = QStringLiteral("TEXT {0},{1},\"0\",0,1,1,\"{2}\"");
        const QString cmd = FillSlots(tmpl, {QString::number(x), QString::number(y), line}) + kCrLf;
        QByteArray bytes;
        if (zrUtf8)
            StrToCodePageBytes(cmd, 65001, bytes);
        else
            bytes = Ansi(cmd, in.codePage);
        job.append({bytes, false});
        y += 54;
    }
    job.append({QByteArrayLiteral("PRINT 1\r\n"), true});
    return job;
}

QString BuildCpclTextLine(const QString& line, int x, int y)
{
    return QStringLiteral("TEXT 5 0 ") + QString::number(x) + QLatin1Char(' ') + QString::number(y) +
           QLatin1Char(' ') + line + kCrLf;
}

TTextJob BuildCpclPageJob(const TCpclPageInput& in)
{
    bool ok = false;
    int h = in.heightText.trimmed().toInt(&ok);
    const int heightDots = ok ? 8 * h : 1680;
    int w = in.widthText.trimmed().toInt(&ok);
    const int widthDots = ok ? 8 * w : 576;

    TTextJob job;
    QString head = QStringLiteral("! 0 200 200 ") + QString::number(heightDots) + QStringLiteral(" 1") + kCrLf;
    if (in.country)
        head += QStringLiteral("CLS") + kCrLf + QStringLiteral("COUNTRY CHINA") + kCrLf;
    job.append({Ansi(head, in.codePage), false});
    job.append({Ansi(QStringLiteral(" PW ") + QString::number(widthDots) + kCrLf, in.codePage), false});
    int i = 0;
    for (const QString& line : SplitPrintTextLines(in.text))
        job.append({Ansi(BuildCpclTextLine(line, 10, 10 + 54 * i++), in.codePage), false});
    QString tail;
    if (in.form)
        tail += QStringLiteral("FORM") + kCrLf;
    tail += QStringLiteral("PRINT") + kCrLf;
    job.append({Ansi(tail, in.codePage), true});
    return job;
}

// ---- receipt and mobile window -----------------------------------------------------------------

QString BuildCpclTextJob(const QString& text, int labelHeight, int rowStep)
{
    QString job = QStringLiteral("! 0 200 200 ") + QString::number(labelHeight) + QStringLiteral(" 1") + kCrLf;
    const int x = 78;
    int y = 40;
    for (const QString& line : SplitPrintTextLines(text)) {
        job += QStringLiteral("TEXT 5 0 ") + QString::number(x) + QLatin1Char(' ') + QString::number(y) +
               QLatin1Char(' ') + line + kCrLf;
        y += rowStep;
    }
    job += QStringLiteral("FORM") + kCrLf + QStringLiteral("PRINT") + kCrLf;
    return job;
}

QString BuildMobileZplJob(const QString& text, int x)
{
    const QStringList lines = SplitPrintTextLines(text);
    QString job = QStringLiteral("^XA") + kCrLf + QStringLiteral("^LL") + ZplLength(int(lines.size())) + kCrLf +
                  QStringLiteral("^LH0,0") + kCrLf;
    int y = 15;
    for (const QString& line : lines) {
        job += QStringLiteral("^FO") + QString::number(x) + QLatin1Char(',') + QString::number(y) +
               QStringLiteral("^CI14^A@N,24,24,E:SIMSUN.TTF^FD") + line + QStringLiteral("^FS") + kCrLf;
        y += 54;
    }
    job += QStringLiteral("^XZ") + kCrLf;
    return job;
}

QByteArray BuildMobileCyrillicZplJob(const QString& text)
{
    QString job = QStringLiteral("^XA") + kCrLf + QStringLiteral("^CI28") + kCrLf + QStringLiteral("^LL500") + kCrLf;
    int y = 15;
    for (const QString& line : SplitPrintTextLines(text)) {
        job += QStringLiteral("^FO0,") + QString::number(y) + kCrLf + QStringLiteral("^A@N,30,30,E:tt0003m_^FD") +
               line + QStringLiteral("^FS") + kCrLf;
        y += 54;
    }
    job += QStringLiteral("^XZ") + kCrLf;
    return job.toUtf8();
}

QString BuildPrintTextTypeJob(int type, const TPrintTextTypeInput& in)
{
    const QStringList lines = SplitPrintTextLines(in.text);
    const QString length = ZplLength(int(lines.size()));
    QString job;
    int y = 10;
    switch (type) {
    case 1:
        job = QStringLiteral("^XA") + kCrLf + QStringLiteral("^LL") + length;
        for (const QString& line : lines) {
            job += QStringLiteral("^FO0,") + QString::number(y) + QStringLiteral("^A@N,50,50,E:SIMSUN.TTF^FD") +
                   line + QStringLiteral("^FS") + kCrLf;
            y += 54;
        }
        job += QStringLiteral("^XZ") + kCrLf;
        break;
    case 2:
        // CPCL printer printing plain lines: the text and one line end (the feeds follow).
        job = in.text + kCrLf;
        break;
    case 3:
        if (in.zr640Utf8) {
            job = QString::fromLatin1(BuildSetValCommand(QByteArrayLiteral("\"viet_mode\""), QStringLiteral("2"))) +
                  QStringLiteral("^XA") + kCrLf + QStringLiteral("^CI32") + kCrLf + QStringLiteral("^LL") + length +
                  kCrLf + QStringLiteral("^LH0,0") + kCrLf;
            for (const QString& line : lines) {
                job += QStringLiteral("^FO0,") + QString::number(y) + QStringLiteral("^AZN,24,12^FD") + line +
                       QStringLiteral("^FS") + kCrLf;
                y += 54;
            }
            job += QStringLiteral("^XZ") + kCrLf;
        } else if (in.pplModel) {
            if (in.pplAnswer == QLatin1String("esc"))
                job = in.text + kCrLf.repeated(7);
        } else {
            job = QStringLiteral("^XA") + kCrLf + QStringLiteral("^LL") + length + kCrLf + QStringLiteral("^LH0,0") +
                  kCrLf;
            for (const QString& line : lines) {
                job += QStringLiteral("^FO0,") + QString::number(y) +
                       QStringLiteral("^CI14^A@N,24,24,E:SIMSUN.TTF^FD") + line + QStringLiteral("^FS") + kCrLf;
                y += 54;
            }
            job += QStringLiteral("^XZ") + kCrLf;
        }
        break;
    case 4:
        job = QStringLiteral("N") + kCrLf;
        for (const QString& line : lines) {
            job += QStringLiteral("A10,") + QString::number(y) + QStringLiteral(",0,1,2,2,N,") + Quote(line) + kCrLf;
            y += 54;
        }
        job += QStringLiteral("P1") + kCrLf;
        break;
    case 5:
        job = in.text + QLatin1Char('\n');
        break;
    case 6:
        job = in.cpclJob;
        break;
    default:
        break;
    }
    return job;
}

QByteArray EncodePrintTextJob(const QString& narrowJob, const QString& wideJob, int chosenCodePage,
                              int ansiCodePage)
{
    if (chosenCodePage > 0 && prt::IsCodePageSupported(chosenCodePage)) {
        QByteArray bytes;
        StrToCodePageBytes(wideJob, chosenCodePage, bytes);
        return bytes;
    }
    return Ansi(narrowJob, ansiCodePage);
}

// ---- ESC/POS window ----------------------------------------------------------------------------

QByteArray BuildEscPosTextJob(const QString& text, int codePage)
{
    return Ansi(TextWithCrLf(text) + kCrLf.repeated(5), codePage);
}
