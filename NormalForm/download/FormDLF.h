#pragma once
// The font manager: the fonts stored in the printer with the used and free space, font
// download (packets, or the printer language's own download command on the direct
// models), delete one or all, and a test print in the chosen font.
//
// Port work runs on the global TSPL object (the SDK kind is 1 while the window is open);
// the download runs on the window's own sender (TDLThread), which the window cancels and
// joins before it closes.
#include "mdlDLThread.h"
#include "mdlFontCommands.h"

#include <QByteArray>
#include <QDialog>
#include <QString>
#include <QStringList>
#include <memory>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTextEdit;
class QTreeWidget;

namespace prt::dl {
class TDLSdkKindGuard;
}

// Module values of the font manager; they live for the whole run (GUI thread).
extern QString FontPrinterLanguage;  // the printer's getval "ppl" reply (trimmed)
extern QString DplControlCodes;      // the getval "control_codes" reply
extern QByteArray DplStx, DplCr, DplSoh;
extern QByteArray FontDirectBuffer;  // the bytes of the last direct font download
extern QString DplFontId;            // the font id of the last DPL download
// The DPL control characters as one set.
fontcmd::TDplCodes FontDplCodes();
// Back to the start values (tests, module shutdown).
void ResetFontModuleValues();

class TfrmDLF : public QDialog {
    Q_OBJECT
public:
    explicit TfrmDLF(QWidget* parent = nullptr);
    ~TfrmDLF() override;

    // ---- handlers and steps
    void FormShow();
    void LanguageIni();
    void GetSpace();
    void GetAllFonts();
    void showComponents();
    void btnDeleteCurFontClick(QPushButton* sender);
    void lvFontsClick();
    void cbxLanguageClick();
    void CheckValue(QLineEdit* edit);
    void Button2Click();
    void btnDLFontClick();
    void btnTestFontClick();
    void cmbFontIDChange();

    bool IsDownloading() const { return FRunning; }
    // Tests: waits until the sender ended and its signals were handled.
    void WaitForSender();
    prt::dl::TDLThread& Sender() { return *FSender; }
    // Tests: the sender's port and waits.
    void SetTransferPort(std::shared_ptr<prt::dl::TDLPort> port);
    void SetTransferSleeper(std::function<void(uint32_t)> sleeper) { FSleeper = std::move(sleeper); }

    // ---- controls (objectName = member name)
    QLabel* lblFontID = nullptr;  // storage label
    QComboBox* cmbFontID = nullptr;
    QLabel* lblSelectFont = nullptr;
    QLineEdit* txtFilePath_F = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* btnDLFont = nullptr;
    QLabel* lblProgressInfo_F = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QProgressBar* proDLFont = nullptr;
    QLabel* lblSpace_Font = nullptr;
    QTreeWidget* lvFonts = nullptr;
    QPushButton* btnDeleteCurFont = nullptr;
    QPushButton* btnDeleteAllFont = nullptr;
    QLabel* lblTestTextF = nullptr;
    QTextEdit* rtTestText = nullptr;
    QPushButton* btnTestFont = nullptr;
    QLabel* lblPrintableWidth = nullptr;
    QLineEdit* txtPrintableWidth = nullptr;
    QLabel* lblWidthRange = nullptr;
    QLabel* lblPrintableHeight = nullptr;
    QLineEdit* txtPrintableHeigh = nullptr;
    QLabel* lblHeightRange = nullptr;
    QLabel* fontID = nullptr;
    QLineEdit* txtId = nullptr;
    QLabel* Label5 = nullptr;  // font id range hint
    QLabel* lblDRowOffset = nullptr;
    QLineEdit* txtYPosition = nullptr;
    QLabel* lblRowRange = nullptr;
    QLabel* lblDColumnOffset = nullptr;
    QLineEdit* txtXPosition = nullptr;
    QLabel* lblColumnRange = nullptr;
    QLabel* lblDWidth = nullptr;
    QLineEdit* txtWidth = nullptr;
    QLabel* lblDWidthUnit = nullptr;
    QLabel* lblDHeight = nullptr;
    QLineEdit* txtHeight = nullptr;
    QLabel* lblDHeightUnit = nullptr;
    QGroupBox* gpbLanguage = nullptr;
    QCheckBox* cbxLanguage = nullptr;
    QLabel* lblInternationalCharacter = nullptr;
    QComboBox* cmbInternationalCharacter = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void done(int r) override;

private:
    void CreateControls();
    void FormClose();
    QString Text(const char* key) const;
    QString CurrentModel() const;  // the current (base) model name
    QString ListedModel() const;   // the listed model name
    bool Direct(const QString& model, const QString& list, const char* language) const;
    int PaperWidth() const;
    bool OpenGuardedPort();        // the guarded open on a fresh printer object
    void FillRows(const fontcmd::TFontRows& rows);
    QString StorageText(int storage) const;
    void ShowSpace(const QString& used, const QString& remaining);
    void SendDelete(const QString& name, int storage);
    void StartTransfer(const QByteArray& payload, const prt::dl::TDLOptions& options, int unit);
    void TransferEnded(int result, int index);
    void SetRunning(bool running);
    void HideProgress();  // progress bar and labels cleared and hidden (the idle window)

    std::unique_ptr<prt::dl::TDLThread> FSender;
    std::unique_ptr<prt::dl::TDLSdkKindGuard> FKind;
    std::function<void(uint32_t)> FSleeper;
    QStringList FCodePages;  // code pages of the encoding list
    QString FPaperWidth;
    QString FMsgDL, FMsgCC, FErrIO, FDli2;
    int FProgressUnit = 1;
    bool FRunning = false;
    bool FShown = false;
    bool FClosed = false;
    QString FDirectLanguage;  // the direct path of the running download ("" = packets)
};
