#pragma once
// The W7X form for printers that do not answer the firmware-version query: print speed and
// heat fine-tune in place of the label length, density "0" to "15".
#include "FormParaSet_W7X.h"

class T_frmParaSet_W7X_Vuzivaz : public T_frmParaSet_W7X {
    Q_OBJECT
public:
    explicit T_frmParaSet_W7X_Vuzivaz(QWidget* parent = nullptr);
};
