#pragma once
// Plain test text on a receipt printer: the typed text and five line ends (so the text
// clears the tear bar), through the library of the current SDK kind.
#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

class TForm25 : public QDialog {
    Q_OBJECT
public:
    explicit TForm25(QWidget* parent = nullptr);

    QLabel* lblContent = nullptr;
    QPlainTextEdit* txtPrintText = nullptr;
    QPushButton* btnPrint = nullptr;
    QPushButton* btnClose = nullptr;

    void FormCreate();
    void btnPrintClick();
    void btnCloseClick();
};
