#pragma once
// The W16 form for printers that do not answer the firmware-version query: the W16 rows
// plus print speed, heat fine-tune and power protection, density "0" to "15".
#include "FormParaSet_W16.h"

class T_frmParaSet_W16_Vuzivaz : public T_frmParaSet_W16 {
    Q_OBJECT
public:
    explicit T_frmParaSet_W16_Vuzivaz(QWidget* parent = nullptr);
};
