#include "mdlPubFunc.h"

#include "PrtIni.h"
#include "PrtMsgBox.h"
#include "PrtPaths.h"
#include "PrtPorts.h"
#include "PrtTexts.h"
#include "mdlCurrentPrinter.h"
#include "mdlModuleState.h"
#include "mdlPictureHead.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFrame>
#include <QIcon>
#include <QGroupBox>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTextEdit>
#include <QTreeWidget>
#include <QWidget>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <new>
#include <vector>

namespace {

void ShowError(const char* textKey)
{
    prt::MessageBoxPrt(prt::LangText(QString::fromLatin1(textKey)),
                       prt::LangText(QStringLiteral("_MSG_Title_Error")), prt::MB_ICONERROR_);
}

void PutLE16(QByteArray& b, qsizetype at, uint16_t v)
{
    b[at] = char(v & 0xFF);
    b[at + 1] = char(v >> 8);
}

void PutLE32(QByteArray& b, qsizetype at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = char((v >> (8 * i)) & 0xFF);
}

// Fills the first "%d" (or "%s", "%u") of a language text with the number.
QString FormatNumberText(const QString& text, int number)
{
    static const QRegularExpression re(QStringLiteral("%[-0-9.]*[dsu]"));
    QString out = text;
    const auto m = re.match(out);
    if (m.hasMatch())
        out.replace(m.capturedStart(), m.capturedLength(), QString::number(number));
    return out;
}

QString CleanField(QString f)
{
    f.replace(QLatin1String("\r\n"), QLatin1String(" "));
    f.replace(QLatin1Char('\r'), QLatin1Char(' '));
    f.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return f;
}

} // namespace

QString TrimControls(const QString& s)
{
    qsizetype b = 0;
    qsizetype e = s.size();
    while (b < e && s[b].unicode() <= 32)
        ++b;
    while (e > b && s[e - 1].unicode() <= 32)
        --e;
    return s.mid(b, e - b);
}

// ---- window font ---------------------------------------------------------------------

TAppFontSettings& AppFontSettings()
{
    static TAppFontSettings settings;
    return settings;
}

void ApplyFormIcon(QWidget* form)
{
    const QString icon = prt::ExeDir() + QStringLiteral("icons/icon.ico");
    if (form && QFileInfo::exists(icon))
        form->setWindowIcon(QIcon(icon));
}

void CutLeaveHandlers(QWidget* form)
{
    if (!form)
        return;
    for (QLineEdit* edit : form->findChildren<QLineEdit*>())
        QObject::disconnect(edit, nullptr, form, nullptr);
}

void ApplyFormFont(QWidget* form)
{
    if (!form)
        return;
    const TAppFontSettings& s = AppFontSettings();
    const QString name = s.FontName.trimmed();
    bool sizeOk = false;
    const int size = s.FontSize.trimmed().toInt(&sizeOk);
    const bool useSize = sizeOk && size > 0 && size <= 200;
    if (name.isEmpty() && !useSize)
        return;

    auto apply = [&](QWidget* w) {
        QFont f = w->font();
        if (!name.isEmpty())
            f.setFamily(name);
        if (useSize)
            f.setPointSize(size);
        w->setFont(f);
    };
    apply(form);
    const QList<QWidget*> children = form->findChildren<QWidget*>();
    for (QWidget* w : children) {
        if (auto* label = qobject_cast<QLabel*>(w)) {
            apply(label);
            if (!label->wordWrap() && !label->parentWidget()->layout())
                label->adjustSize();
            continue;
        }
        if (qobject_cast<QAbstractButton*>(w) || qobject_cast<QAbstractItemView*>(w) ||
            qobject_cast<QGroupBox*>(w) || qobject_cast<QLineEdit*>(w) ||
            qobject_cast<QTabWidget*>(w) || qobject_cast<QComboBox*>(w) ||
            qobject_cast<QTextEdit*>(w) || qobject_cast<QPlainTextEdit*>(w) ||
            qobject_cast<QFrame*>(w))
            apply(w);
    }
}

// ---- text and files -------------------------------------------------------------------

QStringList ReadTextFileToList(const QString& fileName)
{
    QStringList out;
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly))
        return out;
    const QString text = prt::DecodeTextFileBytes(f.readAll());
    const QStringList lines = prt::SplitTextLines(text);
    for (const QString& l : lines)
        if (!TrimControls(l).isEmpty())
            out.append(l);
    return out;
}

bool ReadFileToBytes(const QString& fileName, QByteArray& bytes)
{
    bytes.clear();
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    bytes = f.readAll();
    if (f.error() != QFileDevice::NoError) {
        bytes.clear();
        return false;
    }
    return true;
}

int ReadFileToBuffer(const QString& fileName, QByteArray& buffer)
{
    QByteArray bytes;
    if (!ReadFileToBytes(fileName, bytes))
        return -1;
    if (buffer.size() < bytes.size())
        buffer.resize(bytes.size());
    std::copy(bytes.cbegin(), bytes.cend(), buffer.begin());
    return 0;
}

int32_t GetFileSizeByName(const QString& fileName)
{
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const qint64 size = f.size();
    return size > INT32_MAX ? INT32_MAX : static_cast<int32_t>(size);
}

// ---- pictures --------------------------------------------------------------------------

namespace {

// A pixel over white is white when r + g + b >= 383 (the nearer of black and white).
inline bool IsWhiteOverWhite(QRgb p)
{
    const int a = qAlpha(p);
    if (a == 255)
        return qRed(p) + qGreen(p) + qBlue(p) >= 383;
    const int r = (qRed(p) * a + 255 * (255 - a)) / 255;
    const int g = (qGreen(p) * a + 255 * (255 - a)) / 255;
    const int bl = (qBlue(p) * a + 255 * (255 - a)) / 255;
    return r + g + bl >= 383;
}

} // namespace

QByteArray EncodeMonoBmpScaled(const QImage& image, int width, int height)
{
    if (image.isNull() || width < 1 || height < 1)
        return {};
    // 32-bit pixels, not premultiplied; RGB32 and ARGB32 are read as they are.
    QImage converted;
    const QImage* src = &image;
    if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32) {
        converted = image.convertToFormat(QImage::Format_ARGB32);
        if (converted.isNull())
            return {};  // no memory for the 32-bit copy
        src = &converted;
    }
    const int sw = src->width();
    const int sh = src->height();
    const qsizetype rowBytes = ((static_cast<qsizetype>(width) + 31) / 32) * 4;
    const qsizetype pixelBytes = rowBytes * height;
    const qsizetype offset = 14 + 40 + 8;
    // every byte is written below (headers zeroed first, each row with its padding)
    QByteArray b(offset + pixelBytes, Qt::Uninitialized);
    std::memset(b.data(), 0, static_cast<size_t>(offset));
    // file header
    b[0] = 'B';
    b[1] = 'M';
    PutLE32(b, 2, static_cast<uint32_t>(b.size()));
    PutLE32(b, 10, static_cast<uint32_t>(offset));
    // info header
    PutLE32(b, 14, 40);
    PutLE32(b, 18, static_cast<uint32_t>(width));
    PutLE32(b, 22, static_cast<uint32_t>(height));  // positive: rows bottom-up
    PutLE16(b, 26, 1);
    PutLE16(b, 28, 1);
    PutLE32(b, 30, 0);  // no compression
    PutLE32(b, 34, static_cast<uint32_t>(pixelBytes));
    PutLE32(b, 38, 0);
    PutLE32(b, 42, 0);
    PutLE32(b, 46, 2);
    PutLE32(b, 50, 0);
    // palette: 0 black, 1 white
    PutLE32(b, 54, 0x00000000u);
    PutLE32(b, 58, 0x00FFFFFFu);
    // Nearest source pixel of each target pixel (enlarging repeats pixels).
    const bool sameSize = sw == width && sh == height;
    const bool opaque = src->format() == QImage::Format_RGB32;
    std::vector<int> column(sameSize ? 0 : static_cast<size_t>(width));
    for (size_t x = 0; x < column.size(); ++x)
        column[x] = static_cast<int>((static_cast<qint64>(x) * sw) / width);
    auto* out = reinterpret_cast<uint8_t*>(b.data()) + offset;
    std::vector<QRgb> scaled(sameSize ? 0 : static_cast<size_t>(width));
    for (int y = 0; y < height; ++y) {
        const int sy = sameSize ? y : static_cast<int>((static_cast<qint64>(y) * sh) / height);
        const auto* line = reinterpret_cast<const QRgb*>(src->constScanLine(sy));
        if (!sameSize) {
            for (int x = 0; x < width; ++x)
                scaled[static_cast<size_t>(x)] = line[column[static_cast<size_t>(x)]];
            line = scaled.data();
        }
        uint8_t* row = out + static_cast<qsizetype>(height - 1 - y) * rowBytes;
        const int whole = width / 8;
        std::memset(row + whole, 0, static_cast<size_t>(rowBytes - whole));
        if (opaque) {
            for (int i = 0; i < whole; ++i) {
                const QRgb* p = line + i * 8;
                uint8_t v = 0;
                for (int bit = 0; bit < 8; ++bit)
                    v = static_cast<uint8_t>((v << 1) | (qRed(p[bit]) + qGreen(p[bit]) + qBlue(p[bit]) >= 383));
                row[i] = v;
            }
        } else {
            for (int i = 0; i < whole; ++i) {
                const QRgb* p = line + i * 8;
                uint8_t v = 0;
                for (int bit = 0; bit < 8; ++bit)
                    v = static_cast<uint8_t>((v << 1) | IsWhiteOverWhite(p[bit]));
                row[i] = v;
            }
        }
        uint8_t last = 0;
        for (int x = whole * 8; x < width; ++x)
            if (opaque ? qRed(line[x]) + qGreen(line[x]) + qBlue(line[x]) >= 383 : IsWhiteOverWhite(line[x]))
                last |= static_cast<uint8_t>(0x80u >> (x & 7));
        if (whole * 8 < width)
            row[whole] = last;
    }
    return b;
}

QByteArray EncodeMonoBmp(const QImage& image)
{
    return EncodeMonoBmpScaled(image, image.width(), image.height());
}

namespace {

// The message of a refusal of the conversion: the size texts where the size is the
// reason, "_E_ITW" for a width beyond the conversion's, else "_E_IC".
void ShowPictureRefusal(const TPictureSource& source)
{
    const QString sizeText =
        PictureSizeRefusalText(source.verdict, source.width, source.height, source.scaledHeight);
    if (!sizeText.isEmpty())
        prt::MessageBoxPrt(sizeText, prt::LangText(QStringLiteral("_MSG_Title_Error")), prt::MB_ICONERROR_);
    else
        ShowError(source.verdict == TPictureVerdict::TooWide ? "_E_ITW" : "_E_IC");
}

} // namespace

bool ConvertImageToMonoBmp(const QString& source, const QString& target, float scale)
{
    if (!QFileInfo::exists(source)) {
        ShowError("_Err_FileNotExist");
        return false;
    }
    // every limit is checked on the head first, so a picture is refused with its reason
    // before anything is decoded
    TPictureSource inspected = InspectPicture(source, scale);
    if (inspected.verdict != TPictureVerdict::Ok) {
        ShowPictureRefusal(inspected);
        return false;
    }
    QImageReader::setAllocationLimit(kPictureDecodeLimitMb);
    QImageReader reader(source);  // the format from the bytes: an extension may lie
    reader.setAutoTransform(false);  // pixels as stored: no turning by orientation tags
    const QImage img = reader.read();  // the first frame of an animation
    if (img.isNull()) {
        ShowError("_E_IC");
        return false;
    }
    // a decoder may make another size than its head told: the limits again on what came
    TPictureSource decoded = inspected;
    decoded.width = img.width();
    decoded.height = img.height();
    decoded.verdict = PictureSizeVerdict(inspected.format, img.width(), img.height(), img.depth(), scale,
                                         decoded.scaledWidth, decoded.scaledHeight);
    if (decoded.verdict != TPictureVerdict::Ok) {
        ShowPictureRefusal(decoded);
        return false;
    }
    QByteArray bmp;
    try {
        bmp = EncodeMonoBmpScaled(img, decoded.scaledWidth, decoded.scaledHeight);
    } catch (const std::bad_alloc&) {
        bmp.clear();
    }
    if (bmp.isEmpty() || !prt::WriteFileAtomic(target, bmp)) {
        ShowError("_E_IC");
        return false;
    }
    return true;
}

bool CheckBmpWidth(const QString& bmpFile, int maxWidth)
{
    if (!QFileInfo::exists(bmpFile)) {
        ShowError("_Err_FileNotExist");
        return false;
    }
    QImageReader reader(bmpFile, "bmp");
    reader.setDecideFormatFromContent(false);
    const QSize size = reader.size();
    if (!size.isValid() || !reader.canRead()) {
        ShowError("_E_IC");
        return false;
    }
    if (size.width() > maxWidth) {
        ShowError("_E_ITW");
        return false;
    }
    return true;
}

// ---- ports -----------------------------------------------------------------------------

QStringList EnumPrinterPorts(const QString& kind)
{
    return prt::PresentPortNames(kind);
}

// ---- printer list file -------------------------------------------------------------------

static bool FolderIsWritable(const QString& dir)
{
    // A real probe: permission bits alone do not tell about read-only mounts.
    if (!QFileInfo(dir).isDir())
        return false;
    QFile probe(dir + QStringLiteral(".prt_write_probe"));
    if (!probe.open(QIODevice::WriteOnly))
        return false;
    probe.close();
    probe.remove();
    return true;
}

static TFolderWritableProbe gWritableProbe = nullptr;

void SetFolderWritableProbe(TFolderWritableProbe probe)
{
    gWritableProbe = probe;
}

QString WritableFilesDir()
{
    const QString shipped = GetDefaultFilesDir();
    QDir().mkpath(shipped);  // a fresh program folder may not have it yet
    if ((gWritableProbe ? gWritableProbe : FolderIsWritable)(shipped))
        return shipped;
    const QString user = prt::DataHomeDir() + QStringLiteral("KesaUtility/files/");
    QDir().mkpath(user);
    return user;
}

QString PrinterListFilePath()
{
    const QString name = QStringLiteral("PrinterList.txt");
    const QString path = WritableFilesDir() + name;
    const QString shipped = GetDefaultFilesDir() + name;
    if (path != shipped && !QFileInfo::exists(path) && QFileInfo::exists(shipped))
        QFile::copy(shipped, path);
    return path;
}

QByteArray TextFileBytesKeepingEncoding(const QString& path, const QString& text)
{
    QByteArray old;
    QFile f(path);
    if (f.open(QIODevice::ReadOnly))
        old = f.readAll();
    // A file that does not exist yet (or is empty) is written in UTF-8.
    const prt::TTextEncoding enc = old.isEmpty() ? prt::TTextEncoding{} : prt::DetectTextEncoding(old);
    QByteArray bytes;
    if (prt::EncodeText(text, enc, bytes))
        return TextBytesReadingBack(bytes, text);
    return text.toUtf8();  // a character the old encoding lacks: the whole file in UTF-8
}

QByteArray TextBytesReadingBack(const QByteArray& bytes, const QString& text)
{
    if (prt::DecodeTextFileBytes(bytes) == text)
        return bytes;
    // 8-bit bytes that happen to be valid UTF-8 would read as other text: the mark says
    // UTF-8 for certain.
    const QByteArray utf8 = QByteArrayLiteral("\xEF\xBB\xBF") + text.toUtf8();
    if (prt::DecodeTextFileBytes(utf8) == text)
        return utf8;
    // A text UTF-8 cannot hold (an unpaired surrogate read from a UTF-16 file): UTF-16
    // with its mark keeps every code unit.
    QByteArray utf16;
    prt::EncodeText(text, prt::TTextEncoding{prt::TTextEncoding::Utf16LE, true, 0}, utf16);
    return utf16;
}

QString PrinterListFileText(const QList<QStringList>& rows, int columnCount)
{
    QString text = QStringLiteral("\r\n");
    for (const QStringList& row : rows) {
        auto field = [&](int i) { return i < row.size() ? CleanField(row[i]) : QString(); };
        QString line = field(0) + QLatin1Char('|') + field(1) + QLatin1Char('|') + field(2);
        if (columnCount >= 4)
            line += QLatin1Char('|') + field(3);
        if (columnCount >= 5)
            line += QLatin1Char('|') + field(4);
        text += line + QStringLiteral("\r\n");
    }
    return text;
}

QByteArray PrinterListFileBytes(const QList<QStringList>& rows, int columnCount)
{
    return PrinterListFileText(rows, columnCount).toUtf8();
}

bool SavePrinterListFile(const QString& path, const QList<QStringList>& rows, int columnCount)
{
    return prt::WriteFileAtomic(path, TextFileBytesKeepingEncoding(path, PrinterListFileText(rows, columnCount)));
}

bool SavePrinterListFile(const QList<QStringList>& rows, int columnCount)
{
    return SavePrinterListFile(PrinterListFilePath(), rows, columnCount);
}

bool SavePrinterListFile(const QTreeWidget* view)
{
    if (!view)
        return false;
    const int columns = view->columnCount();
    QList<QStringList> rows;
    for (int i = 0; i < view->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = view->topLevelItem(i);
        QStringList fields;
        for (int c = 0; c < columns; ++c)
            fields.append(item->text(c));
        rows.append(fields);
    }
    return SavePrinterListFile(rows, columns);
}

// ---- numbers ---------------------------------------------------------------------------

double RoundToDecimals(int digits, double value)
{
    if (!std::isfinite(value))
        return value;
    if (digits < 0)
        digits = 0;
    // 15 significant digits, as "d.dddddddddddddde[+-]x"
    const QString sci = QString::number(value, 'e', 14);
    const bool negative = sci.startsWith(QLatin1Char('-'));
    const QString body = negative ? sci.mid(1) : sci;
    const qsizetype ePos = body.indexOf(QLatin1Char('e'));
    QString mant = body.left(ePos);
    mant.remove(QLatin1Char('.'));
    const int exp10 = body.mid(ePos + 1).toInt();
    // value = 0.mant * 10^(exp10 + 1); keep the digits down to 10^-digits
    const int keep = exp10 + 1 + digits;
    if (keep >= mant.size())
        return QString(sci).toDouble();
    if (keep < 0)
        return 0.0;
    long long kept = keep == 0 ? 0 : mant.left(keep).toLongLong();
    if (mant[keep].digitValue() >= 5)
        ++kept;
    const QString text = (negative ? QStringLiteral("-") : QString()) + QString::number(kept) +
                         QStringLiteral("e") + QString::number(-digits);
    return text.toDouble();
}

void FormatThousands(const QString& numberText, QString& out)
{
    out.clear();
    const QString t = numberText.trimmed();
    static const QRegularExpression re(QStringLiteral("^([+-]?)([0-9]+)$"));
    const auto m = re.match(t);
    if (!m.hasMatch())
        return;
    QString digits = m.captured(2);
    while (digits.size() > 1 && digits.startsWith(QLatin1Char('0')))
        digits.remove(0, 1);
    QString sep = QLocale().groupSeparator();
    if (sep.isEmpty())
        sep = QStringLiteral(",");
    QString grouped;
    const qsizetype n = digits.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            grouped += sep;
        grouped += digits[i];
    }
    out = (m.captured(1) == QLatin1String("-") && digits != QLatin1String("0") ? QStringLiteral("-")
                                                                               : QString()) +
          grouped;
}

QString FormatThousands(const QString& numberText)
{
    QString out;
    FormatThousands(numberText, out);
    return out;
}

// ---- download file names -------------------------------------------------------------------

void CheckAsciiFileName(const QString& fileName, QString& message)
{
    CheckAsciiFileName(fileName, 32, message);
}

void CheckAsciiFileName(const QString& fileName, int lengthLimit, QString& message)
{
    message.clear();
    const QByteArray bytes = prt::TextToAnsiBytes(fileName);
    if (bytes.size() > lengthLimit) {
        message = FormatNumberText(prt::LangText(QStringLiteral("_Err_FileNameLength")), lengthLimit + 1);
        return;
    }
    // A name travels inside a quoted, comma-separated command: blanks, quotes, commas,
    // control characters and anything outside ASCII are refused.
    bool refused = false;
    for (QChar c : fileName)
        if (c == QLatin1Char(' ') || c == QLatin1Char('"') || c == QLatin1Char(',') || c.unicode() < 32 ||
            c.unicode() >= 127)
            refused = true;
    if (refused)
        message = prt::LangText(QStringLiteral("msgASCIIFileName"));
}

// ---- option file ---------------------------------------------------------------------------

// ---- model lists -------------------------------------------------------------------------------

bool IsCurrentModelListed(const QString& list)
{
    return IsInCommaList(PrtBasName, list);
}

void SetCurrentBaseModelName(const QString& name)
{
    PrtBasName = name;
}
