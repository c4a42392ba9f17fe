#include "FormParaSet_W7X_Vuzivaz.h"

T_frmParaSet_W7X_Vuzivaz::T_frmParaSet_W7X_Vuzivaz(QWidget* parent) : T_frmParaSet_W7X(TVariant::Vuzivaz, parent) {}
