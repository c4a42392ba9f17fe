#pragma once
// Fixed model lists of the main window (comma-wrapped model lists). Each has one role in
// the button decision, the gate or the selection; the members are the maker's models.
#include <QString>

namespace MainData {

// Default model of the SDK printer object created on every selection and the fallback of
// the printer-map resolution.
QString DefaultModel();
// Rows whose caption is in this list keep the caption as base name.
QString CaptionIsBaseNameModels();
// The gate never refuses these (eight models, one of them the V64 family name); the
// command-console button is hidden for them.
QString GateExemptModels();
// Paper-light learning buttons (seven models).
QString PaperLightLearnModels();
// Of those seven, the four that hide the information-page tab.
QString NoSysParaTabModels();
// Continuous-paper learning: a five-model and a two-model list.
QString ContinueLearnModelsA();
QString ContinueLearnModelsB();
// Front learning offered by default (two models).
QString FrontLearnModels();
// Network address button on a network port (one model).
QString IpMessageModels();
// Wi-Fi firmware download (three models).
QString WifiFirmwareModels();
// Bulk network firmware update on a network port (two models).
QString BulkUpdateModels();
// Firmware update offered on a serial port (eight models).
QString DfuOnComModels();

// Models without test-text printing (hides the print-text button).
QString NoPrintTextModels();
// Models that offer the command console.
QString CommandConsoleModels();

} // namespace MainData
