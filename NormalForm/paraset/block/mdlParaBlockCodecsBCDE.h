#pragma once
// The codecs of parameter block layouts B, C, D and E that the common field codecs do not
// cover: the gap voltage (C), the paper kind byte 58 derived from the judge-paper item
// (C, D), the judge-paper byte counted from 1 (D), the speed selected by its text (C) and
// the Bluetooth name with the password written over its middle (E).
//
// Plain functions over the 256-byte block and item indexes; the forms call them from
// SplitSetting / ReplacePrintSetting, tests call them directly. An item index of -1 means
// "no item selected".
#include "mdlPrtParamBlock.h"

#include <QString>
#include <QStringList>
#include <cstdint>

// ---- gap voltage (layout C, bytes 62/63) ---------------------------------------------------
// Shown value of a raw reading: raw × 3.3 / 4096 in tenths, halves to even, at most one
// decimal, no trailing ".0", "." whatever the locale: 4096 -> "3.3", 2048 -> "1.6",
// 124 -> "0.1", 1241 -> "1".
QString VoltageRawToText(uint16_t raw);
// Raw value of a typed voltage: volts × 4096 / 3.3 to the nearest integer, halves to even;
// the text is cleaned first (CleanVoltageText), so "", "." and junk give 0. "0.1" -> 124,
// "1" -> 1241, "3.3" -> 4096. Values above 16 volts give 0xFFFF (never reached through
// the edit, which is clamped to 3.3).
uint16_t VoltageTextToRaw(const QString& text);
// What the voltage edit keeps of a typed or pasted text: digits and the first ".".
QString FilterVoltageText(const QString& text);
// Leaving the voltage edit: filtered; empty or "." becomes "0"; above 3.3 becomes "3.3";
// anything else stays as typed (so "0.1" stays "0.1").
QString ClampVoltageText(const QString& text);
// Bytes 62/63 <-> the edit text.
QString ReadVoltage(const TParamBlock& block);
void WriteVoltage(TParamBlock& block, const QString& text);

// ---- paper kind byte 58 ---------------------------------------------------------------------
// 0 continuous (receipt), 1 label (gap), 2 black mark.
// Layout C judge-paper items: 0 automatic, 1 label, 2 receipt, 3 black mark -> 0, 1, 0, 2.
// Layout D judge-paper items: 0 label, 1 continuous, 2 black mark -> 1, 0, 2.
// Returns -1 for no item (or an index outside the list): the byte keeps its value.
int PaperKindOfJudgeItemC(int itemIndex);
int PaperKindOfJudgeItemD(int itemIndex);
// Stores byte 58 from the item; -1 leaves it as read.
void WritePaperKindC(TParamBlock& block, int itemIndex);
void WritePaperKindD(TParamBlock& block, int itemIndex);

// ---- layout D judge-paper byte 59, counted from 1 -----------------------------------------
// v = 0 gives no selection (-1); 1..itemCount give v - 1; anything above gives item 0.
int JudgeItemFromByteD(uint8_t v, int itemCount);
// byte 59 := item + 1 (no selection writes 0).
uint8_t JudgeByteFromItemD(int itemIndex);

// ---- layout C speed, selected by its text (byte 92) ----------------------------------------
// The index of the item whose text is the decimal value; -1 when no item is.
int SpeedItemByText(const QStringList& items, uint8_t v);
// The byte to store: the integer of the selected text; with no selection (empty or
// non-numeric text) the byte keeps its value.
uint8_t SpeedByteFromText(const QString& selectedText, uint8_t previous);

// ---- layout E Bluetooth name (bytes 10-25) and password (20-23) ----------------------------
// Name: bytes 10..19 up to the first byte of 32 or below (the password lives at 20).
QString ReadNameE(const TParamBlock& block);
// Password: bytes 20..23 up to the first byte of 32 or below.
QString ReadPasswordE(const TParamBlock& block);
// The name (trimmed, low bytes, cut to 16, zero-filled) over bytes 10..25, then the
// password (trimmed, cut to 4, zero-filled) over bytes 20..23.
void WriteNamePasswordE(TParamBlock& block, const QString& name, const QString& password);
