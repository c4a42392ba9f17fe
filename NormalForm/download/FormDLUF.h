#pragma once
// The user font download window: a font file and its encoding ("GBK", "BIG5", "JIS",
// "EUC", "ASCII") sent with the handshake do "userfont_download" "<encoding>"; files of
// at most 3060 KB. Stays on top of the other windows.
#include "mdlDLFontForm.h"

class TfrmDLUF : public TDLFontFileForm {
    Q_OBJECT
public:
    explicit TfrmDLUF(QWidget* parent = nullptr);
};
