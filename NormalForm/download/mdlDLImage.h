#pragma once
// Images for download: the 1-bit work bitmap (written by ConvertImageToMonoBmp of the
// core) read back, and the four byte forms a printer takes it in.
//
// Work bitmap: W x H dots, palette entry 0 black, entry 1 white; in each row the most
// significant bit of a byte is the leftmost dot; a set bit is white. R = (W + 7) / 8 bytes
// per row; the low 8 - W % 8 bits of a row's last byte are padding.
//
//   form A  packet payload: R (u16 LE), B = (H + 7) / 8 (u16 LE), then 8 * B rows of R
//           bytes: the inverted rows (set bit = black, padding 0), top row first, then
//           zero rows up to 8 * B
//   form B  ZPL graphic: "~DGE:" name "," R*H "," R "," hex text of the H inverted rows
//   form C  DPL image: SOH "D" STX "IEB" name EOL, then the work BMP file as stored
//   form D  TSPL BMP: "DOWNLOAD E,\"" name "\"," (R*H + 62) ",", the 62-byte header,
//           the H rows top row first, bits as stored (set = white), padding bits 1
#include "mdlPictureHead.h"

#include <QByteArray>
#include <QString>
#include <cstdint>

namespace prt::dl {

// The 62-byte header of a 1-bit bitmap: the buffer is zero-filled over its whole length
// (grown to 62 when shorter), then "BM", S + F, F, 40, W, H, 1 plane, 1 bit, no
// compression, S, and the palette black / white. Returns 0.
int BMPHeaderbyte(uint32_t imageSize, int32_t width, int32_t height, uint32_t dataOffset, QByteArray& header);

// The rows of a 1-bit picture, top row first, set bit = white. The rows live in `data`
// (shared, not copied, when read from a file): row y starts at first + y * step.
struct TMonoBitmap {
    int width = 0;
    int height = 0;
    int rowBytes = 0;  // (width + 7) / 8
    QByteArray data;
    qsizetype first = 0;
    qsizetype step = 0;
    bool isNull() const { return width <= 0 || height <= 0; }
    const uint8_t* Row(int y) const
    {
        return reinterpret_cast<const uint8_t*>(data.constData()) + first + step * y;
    }
    // From rowBytes * height bytes, top row first.
    static TMonoBitmap FromRows(int width, int height, const QByteArray& rows);
};

// Reads a 1-bit BMP file (bottom-up or top-down rows, 4-byte aligned). A palette whose
// entry 0 is the brighter one is turned round so that a set bit is white. False when the
// file is not such a bitmap.
bool LoadMonoBitmap(const QString& path, TMonoBitmap& out);
bool DecodeMonoBitmap(const QByteArray& file, TMonoBitmap& out);

// Row y with every bit inverted (set = black) and the padding bits cleared.
QByteArray InvertedRow(const TMonoBitmap& bmp, int y);

// Highest picture a packet payload can carry: 65535 bands of 8 rows.
constexpr int kMaxPacketImageHeight = 65535 * 8;  // 524,280
// Form A; empty when the picture is higher than kMaxPacketImageHeight or wider than
// 65535 row bytes.
QByteArray BuildPacketImagePayload(const TMonoBitmap& bmp);
// Form B (name with its ".GRF" ending).
QByteArray BuildZplGraphic(const TMonoBitmap& bmp, const QString& name);

// The DPL control bytes of a printer: start (STX), line end (EOL) and the image head (SOH).
struct TDplControl {
    uint8_t stx = 0x02;
    uint8_t eol = 0x0D;
    uint8_t soh = 0x01;
    bool operator==(const TDplControl&) const = default;
};
// By the reply of getval "control_codes": "standard" 02 0D 01, "alternate" 7E 0D 5E,
// "alternate-2" 7E 7C 5E; anything else keeps `current`.
TDplControl DplControlFromReply(const QString& reply, const TDplControl& current);

// Form C: the work BMP file's bytes after the command.
QByteArray BuildDplImage(const QByteArray& bmpFile, const QString& name, const TDplControl& ctl);
// Form D.
QByteArray BuildTsplBmp(const TMonoBitmap& bmp, const QString& name);

// Widest work bitmap a printer takes, by the reply of getval "dpi": 1248 dots at 300 dpi,
// 864 at any other value (an empty or non-numeric reply is 203 dpi).
int WidthLimitForDpi(const QString& dpiReply);

// Why a chosen file cannot become a work bitmap, told before anything is decoded: the
// conversion's own look at the file (InspectPicture of the core: extension, the size its
// head states, the conversion's and the readers' size limits) and the printer's width.
using ::TPictureVerdict;
struct TPictureCheck {
    TPictureVerdict verdict = TPictureVerdict::Ok;
    int width = 0, height = 0;              // as decoded (a top-down BMP's height positive)
    int scaledWidth = 0, scaledHeight = 0;  // times the scale factor, rounded half to even
    int widthLimit = 0;                     // the printer's, or the conversion's when lower
};
// TooWide when the scaled width is over widthLimit (whatever else the picture has);
// otherwise the conversion's verdict. Also sets the toolkit's process-wide decoding
// allocation limit to kPictureDecodeLimitMb, as the conversion does.
TPictureCheck CheckPictureForDownload(const QString& path, double scale, int widthLimit);
// The resolution of a reply: its decimal value, 203 when empty or not a number.
int DpiOfReply(const QString& dpiReply);

} // namespace prt::dl
