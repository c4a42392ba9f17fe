#pragma once
// Test text on receipt and mobile printers and on label printers that speak CPCL, ZPL,
// EPL or plain text. Print creates the printer object of the current protocol for the
// selected printer, opens the port, decides the printer language (two mobile families ask
// the printer's key 312, a CPCL printer may be asked its paper mode, otherwise the
// protocol number decides), builds the job with mdlPrintTextJobs and writes it in the
// chosen character set. The port is closed on every way out once it opened.
#include <QDialog>
#include <QStringList>
#include <memory>

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class TObj_Ult_PrtParaManage;

// Module state: the paper mode last mapped from a printer's answer (0, 3 or 4; 0 at
// start) and the last answer to "ppl".
int PrintTextPaperMode();
void SetPrintTextPaperMode(int mode);
QString PrintTextLastPplAnswer();
// Tests: both back to their start values.
void ResetPrintTextModuleState();

// Paper mode of an answer (decimal text of the byte) by the key kind; -1 = unchanged.
int MapPaperModeAnswer(int keyKind, const QString& answer);

class T_frmPrintText : public QDialog {
    Q_OBJECT
public:
    explicit T_frmPrintText(QWidget* parent = nullptr);
    ~T_frmPrintText() override;

    QLabel* lblContent = nullptr;
    QPlainTextEdit* txtPrintText = nullptr;
    QGroupBox* gpbLanguage = nullptr;
    QFrame* pnlTool = nullptr;
    QPushButton* btnPrint = nullptr;
    QPushButton* btnClose = nullptr;
    QFrame* pnlA = nullptr;
    QLineEdit* edtlbl_SelInternationalCharacter = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QLineEdit* lblInternationalCharacter = nullptr;
    QComboBox* cmbInternationalCharacter = nullptr;
    QLineEdit* edtlbl_PrintableHeight = nullptr;
    QComboBox* cmbPrintableHeight = nullptr;
    QLineEdit* edtlbl_RowHeight = nullptr;
    QComboBox* cmbRowHeight = nullptr;

    void FormCreate();
    void FormShow();
    void btnPrintClick();
    void btnCloseClick();
    void CheckBox1Click();
    void InitLanguage();
    void RegisterOptionRows();
    void ArrangeOptionRows();
    QString BuildCpclTextJob(const QString& text);
    int GetPrintableHeight();
    int GetRowHeight();
    // getkey 312 on the open port: 50 ms, one byte; answer := the byte in decimal.
    bool ReadPaperModeKey(QString& answer, uint8_t& value);
    bool QueryPaperMode(QString& answer);

    const QStringList& CodeList() const { return FCodeList; }
    TObj_Ult_PrtParaManage* LayoutManager() const { return FLayout.get(); }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BuildControls();
    // The click after the port opened; the caller closes the port.
    void PrintOnOpenPort(int chosenCodePage, bool cyrillic, bool& feedWithLineEnds, int& feedCount);
    // Writes a job in its two forms; false (after the box) when the write failed. An
    // empty job is not written.
    bool SendJob(const QString& narrowJob, const QString& wideJob, int chosenCodePage);
    void ShowError(const QString& text) const;

    QStringList FCodeList;
    bool FCyrillic = false;
    std::unique_ptr<TObj_Ult_PrtParaManage> FLayout;
};
