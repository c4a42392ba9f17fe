#pragma once
// What a picture file says of its size before anything is decoded, and the limits of the
// picture-to-1-bit-bitmap conversion (ConvertImageToMonoBmp) checked against it. The
// conversion and the download window's picture check both ask InspectPicture, so a
// picture the check lets through is one the conversion takes, and each refusal has its
// reason.
#include <QByteArray>
#include <QString>
#include <QtGlobal>

// ---- the head of a picture file ---------------------------------------------------------
// The size stated by the first bytes of a BMP, PNG, GIF or JPEG file, read without the
// toolkit's readers (they refuse some heads before telling a size: a BMP stored top-down
// comes with a negative height, a PNG over 1,000,000 dots a side, a BMP over 16384 x
// 16384 dots, a JPEG over 65,500 dots a side).
struct TPictureHead {
    // "bmp", "png", "gif" or "jpeg" when the bytes begin with that format's signature,
    // else empty.
    QByteArray format;
    // The size was found. False for a known signature whose head is cut or damaged
    // before the size.
    bool sized = false;
    // The size the picture decodes to: a top-down BMP's height is positive here; a GIF's
    // is its logical screen, or where that is 0 the first frame's offset plus its size.
    // Zero or negative values are what the head holds (no picture can have them).
    qint64 width = 0;
    qint64 height = 0;
};
// Reads only within the bytes (any length, any content). readerFormat: the format the
// toolkit's reader took the file for; the GIF reader (taken for a file named .gif)
// decodes bytes without the GIF signature as well, and such bytes are then read as a
// GIF head too.
TPictureHead ReadPictureHead(const QByteArray& bytes, const QByteArray& readerFormat = QByteArray());

// ---- the conversion's limits --------------------------------------------------------------
// Widest and highest 1-bit bitmap the conversion makes (in dots, after scaling).
constexpr int kMonoBmpMaxSide = 65535;
// Most bytes a decoded picture may take (at least 4 bytes a pixel: the conversion works
// on 32-bit pixels), and the toolkit's decoding allocation limit while converting.
constexpr int kPictureDecodeLimitMb = 256;

enum class TPictureVerdict {
    Ok,
    NotPicture,  // an extension outside .bmp .jpg .jpeg .png .gif, or bytes no picture reader knows
    Unreadable,  // the file cannot be opened, or a picture head the reader cannot use
    TooWide,     // wider than the conversion (or the printer) takes once scaled
    TooLarge,    // beyond the reader's own size limits or more than the conversion decodes
    TooTall,     // higher than the conversion makes once scaled (kMonoBmpMaxSide)
    TooSmall,    // less than one dot wide or high once scaled
};

// The verdict on a picture of the given decoded size by size alone. format: the reader's
// format name (its own size limits: "png" 1,000,000 a side, "jpeg" 65,500 a side, "bmp"
// 16384 x 16384 dots); decodedBits: bits per pixel of the decoded picture (below 32
// counts as 32). The scaled size (rounded half to even, held at 2,000,000,000) goes to
// scaledWidth / scaledHeight. Checked in this order: TooWide, TooLarge, TooTall,
// TooSmall; a size of 0 or less is Unreadable.
TPictureVerdict PictureSizeVerdict(const QByteArray& format, qint64 width, qint64 height, int decodedBits,
                                   double scale, int& scaledWidth, int& scaledHeight);

struct TPictureSource {
    TPictureVerdict verdict = TPictureVerdict::Ok;
    QByteArray format;                      // as read from the bytes
    int width = 0, height = 0;              // as decoded (held at 2^31-1); 0 when unknown
    int scaledWidth = 0, scaledHeight = 0;  // times the scale, rounded half to even
};
// Looks at a picture file as the conversion will read it, decoding nothing: its
// extension, its head (ReadPictureHead, or the toolkit reader's size for other
// contents), the size limits, then whether the toolkit's reader takes the head.
TPictureSource InspectPicture(const QString& path, double scale);
// The language text of a refusal that is about the size: "_E_IC_TooLarge" with the
// stored size, "_E_IC_TooTall" with the scaled height and kMonoBmpMaxSide; empty for
// other verdicts.
QString PictureSizeRefusalText(TPictureVerdict verdict, int width, int height, int scaledHeight);
