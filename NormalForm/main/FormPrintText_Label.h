#pragma once
// Test text on label printers. T_frmPrintTextLabel builds one of four jobs for the
// current printer (font "2", gap, one CPCL label per line, or the general TSPL text job);
// T_frmPrintTextLabelCpclV52bt (FormPrintText_Label_CPCL_V52BT.h) shares the controls,
// the size fields, the character-set choice and the general TSPL road.
//
// Every exchange goes through the TSPL library's global printer object on the current
// port string; the window makes sure the object exists before it opens the port, and
// closes the port on every way out of a click once it opened.
#include "mdlPrintTextJobs.h"

#include <QDialog>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class TPrintTextLabelBase : public QDialog {
    Q_OBJECT
public:
    explicit TPrintTextLabelBase(QWidget* parent = nullptr);
    ~TPrintTextLabelBase() override;

    // ---- controls (objectName = member name)
    QLabel* lblContent = nullptr;
    QPlainTextEdit* txtPrintText = nullptr;
    QLabel* lblPrintableWidth = nullptr;
    QLineEdit* txtPrintableWidth = nullptr;
    QLabel* lblMultiple1 = nullptr;
    QLabel* lblPrintableHeight = nullptr;
    QLineEdit* txtPrintableHeigh = nullptr;
    QLabel* Label2 = nullptr;
    QGroupBox* gpbLanguage = nullptr;
    QCheckBox* cbxLanguage = nullptr;
    QLabel* lblInternationalCharacter = nullptr;
    QComboBox* cmbInternationalCharacter = nullptr;
    QPushButton* btnPrint = nullptr;
    QPushButton* btnClose = nullptr;

    // ---- events
    virtual void FormShow() = 0;
    virtual void btnPrintClick() = 0;
    void btnCloseClick();
    void cbxLanguageClick();
    // Leave handler of both size fields (the field left).
    void CheckValue(QLineEdit* field);
    // Key filter of both size fields: true when the key is kept.
    static bool CheckImportNumber(QChar key);

    // The width limit text (mm).
    QString WidthLimit() const { return FWidthLimit; }
    void SetWidthLimit(const QString& text) { FWidthLimit = text; }
    const QStringList& CodeList() const { return FCodeList; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

    // Captions, character-set items and code list shared by both windows.
    void InitCommonTexts();
    void FillCharacterSets();
    void ShowSizeControls(bool visible);
    // A field holding no integer gets its minimum (nothing but digits reaches a printer).
    void SanitizeSizeFields();
    // The code page of the chosen character set; 0 when none is ticked or the code list
    // has no integer for it.
    int ChosenCodePage() const;
    bool Utf8Mode() const { return ChosenCodePage() == 65001; }
    // Opens the current port on the TSPL object; false after the open-failure box.
    bool OpenTsplPort();
    void CloseTsplPort();
    // Writes one job write; false when a checked write failed (after its box).
    bool WriteJob(const TTextJob& job);
    // The general TSPL road (both windows); the port is open.
    void PrintGeneralRoad();
    void ShowError(const QString& text) const;

    QStringList FCodeList;
    QString FWidthLimit;
    QString FHeightMinimum = QStringLiteral("10");
    QString FHeightLimit = QStringLiteral("210");

private:
    void BuildControls();
};

class T_frmPrintTextLabel : public TPrintTextLabelBase {
    Q_OBJECT
public:
    explicit T_frmPrintTextLabel(QWidget* parent = nullptr);

    void FormCreate();
    void FormShow() override;
    void btnPrintClick() override;
    void InitLanguage();
    void PrintCpclLines();
    static QString BuildCpclLineJob(const QString& line) { return ::BuildCpclLineJob(line); }

    QString HeightMinimum() const { return FHeightMinimum; }
    QString HeightLimit() const { return FHeightLimit; }
};
