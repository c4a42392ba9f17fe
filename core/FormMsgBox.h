#pragma once
// Modal message form: a bottom panel pnlB with btnOk and btnCancel, and the read-only
// text area mmoInfo filling the rest. Captions come from the language object.
#include <QDialog>

class QWidget;
class QPlainTextEdit;
class QPushButton;

class TfrmFormMsgBox : public QDialog {
    Q_OBJECT
public:
    explicit TfrmFormMsgBox(QWidget* parent = nullptr);

    QWidget* pnlB = nullptr;
    QPushButton* btnOk = nullptr;
    QPushButton* btnCancel = nullptr;
    QPlainTextEdit* mmoInfo = nullptr;

    // Places the buttons: btnOk.Left := (client width - 2 * btnOk width - 64) / 2,
    // btnCancel.Left := btnOk.Left + btnOk width + 64.
    void FormResize();

protected:
    void resizeEvent(QResizeEvent* event) override;
};
