#include "FormDLUF.h"

TfrmDLUF::TfrmDLUF(QWidget* parent) : TDLFontFileForm(Kind::UserFont, parent)
{
    setObjectName(QStringLiteral("TfrmDLUF"));
}
