#pragma once
// The quick font download window: any font file, sent after do "font_download_quick"
// (models of the "GDS" list) or the raw bytes "ZZZFONTDL " (every other model), in
// packets of 4096 bytes for the models of "PackageSize4096" and 1024 otherwise.
#include "mdlDLFontForm.h"

class TfrmDLFont : public TDLFontFileForm {
    Q_OBJECT
public:
    explicit TfrmDLFont(QWidget* parent = nullptr);
};
