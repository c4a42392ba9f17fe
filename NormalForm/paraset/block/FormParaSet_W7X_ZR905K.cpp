#include "FormParaSet_W7X_ZR905K.h"

T_frmParaSet_W7X_ZR905K::T_frmParaSet_W7X_ZR905K(QWidget* parent) : T_frmParaSet_W7X(TVariant::ZR905K, parent) {}
