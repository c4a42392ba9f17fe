#pragma once
// Readers of the printer information and status replies: the printer's bytes or text in,
// the text a window shows out. No widgets, no printer access.
#include <QByteArray>
#include <QString>
#include <QStringList>

// Shortest decimal form, "." separator, no trailing zeros (like %.15g).
QString FormatInfoNumber(double value);
// ok is false when the text is not a whole number after trimming.
QString MileageTextMm(const QString& reply, bool& ok);      // v / 1000, 3 decimals, "m"
QString MileageTextInch(const QString& reply, bool& ok);    // v x 2.54 / 100, 2 decimals, "m"
// A heat counter read as a number (millimetres); ok false for -1 (no reply).
QString HeatNumberText(int number, bool& ok);               // v / 1000, 3 decimals, "m"
// The four journey bytes (first most significant); ok false with fewer than 4 bytes.
QString JourneyText(const QByteArray& bytes, bool millimetres, bool& ok);
// "V a.b.c" for 3 bytes, with ".Beta" + d for a fourth byte d != 0; ok false otherwise.
QString FirmwareVersionText(const QByteArray& bytes, bool& ok);
// The production time by key: a reply of exactly 8 characters; ok false otherwise.
QString ProduceDateText(const QString& reply, bool& ok);
// The production time read directly: the non-zero bytes of at most 8, one character each.
QString ProduceDateDirectText(const QByteArray& bytes);

// The language keys of the status conditions, in the order they are listed.
QStringList PrinterStatusKnownKeys();
// Language keys of the set flags of a status block, in table order (byte 18 bits 0-7,
// then byte 17 bits 0-5; bits 6 and 7 of byte 17 and the other bytes are not shown).
// Empty for a block shorter than 19 bytes.
QStringList PrinterStatusKeys(const QByteArray& block);
