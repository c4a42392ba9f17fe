#pragma once
// Language text table: named UI texts (captions, hints, list items, messages) by language
// key. 709 slots ("Lang_Pos_..." / "Lang_All_...") are filled by LoadLanguageStrings; 27
// more ("Lang00010001".."Lang00010025" and the two paper-light tips) by the main window's
// caption loader through SetLangStr. A reload overwrites every loaded slot (a key missing
// from the file empties its slot).
#include <QString>
#include <QStringList>

// The 709 loaded keys, in load order (expanded from the compact list of the module).
const QStringList& LangTextKeys();
// The 27 keys filled by the main window.
const QStringList& MainWindowLangKeys();

void LoadLanguageStrings();
// Text of a slot ('' when never loaded, missing, or not a slot of the table).
QString LangStr(const QString& key);
// Stores a text in one of the 27 main-window slots; other keys are ignored (False).
bool SetLangStr(const QString& key, const QString& text);
// Empties every slot (program end, tests).
void ClearLangStrings();

// Expands a compact key list (see the .cpp) into keys; exposed for tests.
QStringList ExpandLangKeyList(const QString& prefix, const QString& compact);
