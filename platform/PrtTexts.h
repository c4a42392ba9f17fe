#pragma once
// Store of the loaded language texts by language key ("_Err_OpenPort",
// "FormPrinterManage_btnOK", ...). The language loader of the application core fills
// it; the printer link and every window read it. A missing key gives an empty text.
#include <QHash>
#include <QString>

namespace prt {

QString LangText(const QString& key);
void SetLangText(const QString& key, const QString& text);
void ClearLangTexts();
// Replaces the whole store at once (a language load).
void SetLangTexts(QHash<QString, QString> texts);

} // namespace prt
