#pragma once
// T_frmPrinterInformation: reads the production date, the print length (mileage) and the
// firmware version of the current printer when shown. The commands and the reading of each
// value depend on the model; the texts are made by the reply readers (mdlInfoReplies).
#include "mdlInfoReplies.h"

#include <QByteArray>
#include <QDialog>
#include <QString>
#include <memory>

class QFrame;
class QLabel;
class QPushButton;
class TObj_Ult_PrtParaManage;

namespace InfoData {
QString NoDateModels();           // never show the production date
QString MileageCaptionModels();   // "lblMilleageTotal" caption (holds an empty entry)
QString HeatTextAModels();        // "get_counter heat" text, shown as it came
QString HeatTextBModels();        // "get_counter heat" text, millimetres
QString HeatNumberModels();       // "get_counter heat" number, millimetres
QString MillimetreModels();       // mileage text in millimetres
QString VersionGetvalModels();    // getval "printer_version"
QString VersionEofModels();       // getval "printer_version" read to the end
} // namespace InfoData

class T_frmPrinterInformation : public QDialog {
    Q_OBJECT
public:
    explicit T_frmPrinterInformation(QWidget* parent = nullptr);
    ~T_frmPrinterInformation() override;
    void FormShow();
    bool ShowProduceDate() const { return FShowProduceDate; }
    // Waits of the raw reads (ms); tests shorten them.
    int JourneyWaitMs = 600;

    QFrame* pnlPrinterInformation = nullptr;
    QLabel* lblProduceDate = nullptr;
    QLabel* lblProduceDateV = nullptr;
    QLabel* lblPrintLength = nullptr;
    QLabel* lblPrintLengthV = nullptr;
    QLabel* lblFirmwareVer = nullptr;
    QLabel* lblFirmwareVerV = nullptr;
    QPushButton* btnClose = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QString ReadProduceDate();
    QString ReadPrintLength();
    QString ReadFirmwareVersion();
    void FitValueTexts();
    std::unique_ptr<TObj_Ult_PrtParaManage> FLayout;
    bool FShowProduceDate = false;
};
