#pragma once
// Small builders of the parameter forms' controls: every control gets its name as its
// objectName, labels get their edit or list as buddy (the accessible name comes from it),
// and a caption row is "label | control | unit" in a grid.
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QStringList>

namespace pararows {

QLabel* NewLabel(QWidget* parent, const char* name, const QString& text = QString());
QComboBox* NewCombo(QWidget* parent, const char* name, const QStringList& items = {});
QLineEdit* NewEdit(QWidget* parent, const char* name, int width = 60);
QGroupBox* NewGroup(QWidget* parent, const char* name);

// Puts label, control and (optional) unit label into one grid row; the label becomes the
// control's buddy.
void AddRow(QGridLayout* grid, int row, QLabel* label, QWidget* control, QWidget* unit = nullptr);

// Sets the caption of a label, group box, check box or button to the language text of key.
void SetCaptionKey(QWidget* w, const char* key);

} // namespace pararows
