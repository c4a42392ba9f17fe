#include "FormDLFont.h"

TfrmDLFont::TfrmDLFont(QWidget* parent) : TDLFontFileForm(Kind::QuickFont, parent)
{
    setObjectName(QStringLiteral("TfrmDLFont"));
}
