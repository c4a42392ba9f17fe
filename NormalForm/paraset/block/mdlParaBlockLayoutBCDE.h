#pragma once
// Parameter block layouts B, C, D and E as tables of the block-field rows
// (mdlParaBlockLayout.h). Form codes in the rows:
//   layout B  "V64", "W16", "W16V" (the W16_Vuzivaz form)
//   layout C  "BQM"
//   layout D  "W7X", "W7XV" (the W7X_Vuzivaz form), "ZR905K" (the W7X_ZR905K form)
//   layout E  "J27"
// Custom rows are converted by the form with the functions of mdlParaBlockCodecsBCDE.h:
// C's paper kind (58), voltage (62/63) and speed by text (92); D's paper kind (58) and
// judge paper counted from 1 (59); E's name and password overlay (10-25).
#include "mdlParaBlockLayout.h"

const TBlockLayout& LayoutB();
const TBlockLayout& LayoutC();
const TBlockLayout& LayoutD();
const TBlockLayout& LayoutE();
