#include "FormParaSet_W16_Vuzivaz.h"

T_frmParaSet_W16_Vuzivaz::T_frmParaSet_W16_Vuzivaz(QWidget* parent) : T_frmParaSet_W16(true, parent) {}
