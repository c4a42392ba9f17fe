#pragma once
// The 256-byte parameter block exchange, the protocol probe and the firmware query.
// All three use the TSPL procedures (global TSPL object) whatever the current SDK kind;
// the kind only picks the block request bytes. The probe's "ppl" question goes
// through the text command layer (dispatcher).
//
// Block: byte 0 marker 0x78 ('x'), bytes 1..253 settings, bytes 254/255 the low/high
// byte of SumBytes16 over bytes 0..253.
// Requests (kind 1 / any other kind):  read  "ZZZCR" LF / 12 62
//                                      write "ZZZCW " / 12 63 (then the 256 bytes)
// Probe: 1B 1B 08, one byte back. Firmware: "ZZZGETVERSION" CR LF, one byte per part.
//
// The probe reads the current model and its lists through mdlLinkSeams.h.
#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>

using TParamBlock = std::array<uint8_t, 256>;

constexpr uint8_t PARAM_BLOCK_MARKER = 0x78;

int32_t ParamBlockLastResult();  // code of the latest open, write or read here
void SetParamBlockLastResult(int32_t code);  // the download paths store theirs here too
int32_t ParamBlockReadCount();   // bytes of the latest block or probe read

// The request bytes for a kind.
QByteArray ParamBlockReadRequest(int sdkKind);
QByteArray ParamBlockWriteHeader(int sdkKind);
// A copy of the block with bytes 254/255 set to the sum of bytes 0..253.
TParamBlock WithParamBlockSum(const TParamBlock& block);

// result := "OK", the open-failure text with its code (OpenPortFailureMessage), or the
// language text of "_Err_WriteData", "_Err_ReadData" (marker missing) or "_Err_CheckSum".
// block is written only on "OK".
// Shows no box. Closes the port it opened.
void ReadParamBlock(TParamBlock& block, QString& result);
// True when header and block were written. Open failure: a box "code:text".
bool WriteParamBlock(const TParamBlock& block);

// After a write: reads the block back (a normal ReadParamBlock) and compares it with what
// was written (marker, every settings byte and the sum the writer set). A write that
// returned true only says the bytes left the host; a link cut halfway, or a printer that
// kept its old block, shows here.
enum class TParamBlockCheck {
    Confirmed,    // the printer holds exactly the written block
    ReadFailed,   // the read back failed; readResult holds its text
    Differs,      // the printer answered with another block
};
TParamBlockCheck ConfirmParamBlock(const TParamBlock& written, QString& readResult);
// Protocol number of the current printer; neither opens nor closes the port.
int32_t DetectPrinterProtocol();
// True when the printer's version is at least `version` (up to three dotted parts,
// the first differing part decides, equal gives true); false on no or a short reply.
bool CheckFirmwareVersion(const QString& version);
