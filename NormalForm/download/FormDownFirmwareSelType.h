#pragma once
// The firmware type chooser: the operator picks "DFU 01" or "BIN 01" before the main window
// starts the update. The main window may preselect (and lock) the printer's current type
// and reads back the OK flag and the chosen type name (also the window's properties
// "OKFlag" and "SelectedType", which the main window reads after the show).
#include <QDialog>
#include <QStringList>

class QComboBox;
class QLineEdit;
class QPushButton;

class TfrmDownFirmwareSelType : public QDialog {
    Q_OBJECT
public:
    explicit TfrmDownFirmwareSelType(QWidget* parent = nullptr);

    QLineEdit* edtLbl_DFirmwareType = nullptr;
    QComboBox* cmbDownFirmwareType = nullptr;
    QLineEdit* edtSupport_DFirmwareType = nullptr;
    QPushButton* btnOk = nullptr;
    QPushButton* btnCancel = nullptr;

    // type: a type name of the list ("DFU 01", "BIN 01"), or the printer's own word for it
    // ("DFU", "BIN"); lock: the operator may not change it.
    Q_INVOKABLE void SetSelectedType(const QString& type, bool lock);
    void btnOkClick();
    void btnCancelClick();
    void UpdateHint();

    int OKFlag() const { return okFlag_; }
    QString SelectedType() const { return selectedType_; }
    QString CurrentType() const { return currentType_; }

private:
    QStringList types_;
    int okFlag_ = 0;
    QString selectedType_, currentType_;
};
