#pragma once
// The file download windows: TfrmDLFile sends an image (made 1-bit), a label template or
// an auto template to the selected printer's RAM or flash and lists, prints and deletes
// what is stored there; TfrmDLFile_ZR is its reduced twin for the ZR series (images to
// flash only, a print start position, no direct printer-language paths).
//
// A packet download runs on the window's TDLThread; the window stays usable, the
// controls that use the port are disabled until the sender has ended, and closing the
// window cancels and joins it. Listing, printing and deleting run on the GUI thread.
// While the window is open the SDK kind is 1 (the global TSPL object).
#include "mdlDLCommon.h"
#include "mdlDLStored.h"
#include "mdlDLThread.h"

#include <QDialog>
#include <memory>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QTreeWidget;

class TDLFileFormBase : public QDialog {
    Q_OBJECT
public:
    ~TDLFileFormBase() override;

    // ---- controls (objectName = member name)
    QGroupBox* gpbDLFiles = nullptr;
    QLabel* lblFT_File = nullptr;
    QComboBox* cmbFileType = nullptr;
    QLabel* lblImageTimes = nullptr;
    QComboBox* cmbImageTimes = nullptr;
    QLabel* lblPPL_File = nullptr;
    QComboBox* cmbPPL = nullptr;
    QLabel* Label3 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QLabel* lblFN_File = nullptr;
    QLineEdit* txtFilePath = nullptr;
    QPushButton* Button7 = nullptr;
    QPushButton* btnDLFile = nullptr;
    QProgressBar* ProgressBar2 = nullptr;
    QLabel* lblProgressInfo_F = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* lblSpace_File = nullptr;
    QLabel* lblImage_File = nullptr;
    QTreeWidget* lvFonts = nullptr;
    QPushButton* btnGetAllImage = nullptr;
    QPushButton* btnPrintImage = nullptr;
    QPushButton* btnDelCurImage = nullptr;
    QPushButton* btnDelAllImage = nullptr;
    QLabel* lblTemplate_File = nullptr;
    QTreeWidget* ListView1 = nullptr;
    QPushButton* btnGetAllTmp = nullptr;
    QPushButton* btnPrintTmp = nullptr;
    QPushButton* btnDelCurTmp = nullptr;
    QPushButton* btnDelAllTmp = nullptr;
    QLabel* lblAutoTmp_File = nullptr;
    QListWidget* lsbAutoTmp = nullptr;
    QPushButton* btnGetAutoTmp = nullptr;
    QPushButton* btnPrintAutoTmp = nullptr;
    QPushButton* btnDeleteAutoTmp = nullptr;
    QPushButton* btnSwitchAutoform = nullptr;
    // image print size and offsets (TfrmDLFile)
    QLabel* lblPrintWidth = nullptr;
    QLineEdit* txtPrintWidth = nullptr;
    QLabel* tipPrintWidth = nullptr;
    QLabel* lblPrintHeight = nullptr;
    QLineEdit* txtPrintHeight = nullptr;
    QLabel* tipPrintHeight = nullptr;
    QLabel* lblXPosition = nullptr;
    QLineEdit* txtXPosition = nullptr;
    QLabel* lblYPosition = nullptr;
    QLineEdit* txtYPosition = nullptr;
    // print start position (TfrmDLFile_ZR)
    QLabel* lblPrintImagePosition = nullptr;
    QLineEdit* edtPrintImagePosition = nullptr;

    // ---- handlers and steps
    void FormShow();
    void FormClose();
    void LanguageIni();
    void btnDLFileClick();
    void Button7Click();
    void cmbFileTypeChange();
    void cmbPPLChange();
    void ComboBox1Change();
    void GetSpace();
    void SetUIStatus_Template(bool enabled);
    void SetTemplateStatus();
    void DoActive_Bitmap(QObject* sender);
    void DoActive_Label(QObject* sender);
    void DoActive_AutoTmp(QObject* sender);

    // ---- state (tests)
    bool IsZr() const { return zr_; }
    bool IsRunning() const { return running_; }   // the button is the cancel button
    bool IsSenderBusy() const { return sender_->IsBusy(); }
    prt::dl::TDLThread& Sender() { return *sender_; }
    QString TypeWord() const { return typeWord_; }  // bitmaps, labels or autoform
    int Resolution() const { return dpi_; }
    // Waits (processing events) until the sender has ended and its signals arrived.
    void WaitForSender();

protected:
    TDLFileFormBase(bool zr, QWidget* parent);
    void showEvent(QShowEvent* event) override;
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void SetRunning(bool running);
    void HideProgress();  // progress bar and labels cleared and hidden (the idle window)
    void SetPortControlsEnabled(bool enabled);
    bool OpenOnce();
    void ClosePortIfOpen();
    void CloseTsplPort();
    bool DirectWrite(const QByteArray& bytes);
    prt::dl::TDLDialectInput Dialect() const;
    void FillImageRows(const QList<prt::dl::TStoredRow>& rows);
    void FillTemplateRows(const QList<prt::dl::TStoredRow>& rows);
    void ApplySpace(const QString& used, const QString& remaining);
    void StartPacketPath();
    void DirectImagePath();
    void DirectTemplatePath(const QByteArray& file);
    void EndDirect(bool ok);
    void OnListed(const QString& key, const QString& reply);
    void OnTransferEnded(int result, int packetIndex);
    void CheckValue(QLineEdit* edit);
    QString RowPrefix(const QTreeWidget* list, int row) const;
    void DeleteImageKeyValue(const QString& storedName);

    bool zr_ = false;
    bool running_ = false;
    bool directBusy_ = false;
    bool shown_ = false;   // between FormShow and FormClose
    int dpi_ = 203;
    QString typeWord_ = QStringLiteral("bitmaps");
    QString downloadName_;     // name with extension of the chosen file
    QString storedName_;       // the name on the printer (without storage prefix)
    QByteArray payload_;
    std::unique_ptr<prt::dl::TDLThread> sender_;
    std::unique_ptr<prt::dl::TDLSdkKindGuard> kindGuard_;
};

class TfrmDLFile : public TDLFileFormBase {
    Q_OBJECT
public:
    explicit TfrmDLFile(QWidget* parent = nullptr);
};

class TfrmDLFile_ZR : public TDLFileFormBase {
    Q_OBJECT
public:
    explicit TfrmDLFile_ZR(QWidget* parent = nullptr);
};
