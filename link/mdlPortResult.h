#pragma once
// Words for the result codes of the port engine (prt::sdk::PrtSdkCodes), in the UI
// language, for every window that reports a failed open or transfer with its code.
#include <QString>

// The meaning of a result code in the UI language ("network connection refused or
// unreachable" for -13); empty for 0 and for a code the engine does not give.
QString PortResultWords(int code);
// The message, then " (" words ")" when the code has words.
QString WithPortResultWords(const QString& message, int code);
// text, ":", the code in decimal and, when the code has words, " (" words ")":
// "Failed to open the port:-13 (network connection refused or unreachable)".
QString PortResultMessage(const QString& text, int code);
// The open-failure text of every window that has the code: PortResultMessage with the
// "_Err_OpenPort" text.
QString OpenPortFailureMessage(int code);
