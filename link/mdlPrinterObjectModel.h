#pragma once
// Model text of the last global printer object created, noted by the library module that
// creates it and read by the dispatcher (process-wide, safe from any thread).
#include <QString>

// Model text of the last global printer object created (any library); empty before.
QString GetPrinterObjectModel();
void NotePrinterObjectModel(const QString& model);
