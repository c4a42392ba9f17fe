#include "FormNetDiscovery.h"

#include "PrtTexts.h"
#include "mdlNetDiscovery.h"
#include "mdlPubFunc.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

QString gChosenPrinterAddress;

namespace {
QString T(const char* key)
{
    return prt::LangText(QLatin1String(key));
}
} // namespace

TForm13::TForm13(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form13"));
    resize(430, 300);
    lvPortList = new QTreeWidget(this);
    lvPortList->setObjectName(QStringLiteral("lvPortList"));
    lvPortList->setGeometry(8, 8, 414, 240);
    lvPortList->setColumnCount(3);
    lvPortList->setRootIsDecorated(false);
    lvPortList->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvPortList->setSelectionMode(QAbstractItemView::SingleSelection);
    lvPortList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvPortList->setColumnWidth(0, 28);
    lvPortList->setColumnWidth(1, 230);
    btnFW = new QPushButton(this);
    btnFW->setObjectName(QStringLiteral("btnFW"));
    btnFW->setGeometry(8, 258, 130, 32);
    btnOpen = new QPushButton(this);
    btnOpen->setObjectName(QStringLiteral("btnOpen"));
    btnOpen->setGeometry(200, 258, 106, 32);
    btnClose = new QPushButton(this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    btnClose->setGeometry(316, 258, 106, 32);

    setWindowTitle(T("FormDLFile_btnIPMessage"));
    btnFW->setText(T("FormDLFile_btnScanPrinter"));
    btnOpen->setText(T("FormPrinterManage_btnOK"));
    btnClose->setText(T("Lang00010023"));
    lvPortList->setHeaderLabels({QString(), T("FormMain_Label_PrinterName"), QStringLiteral("IP")});
    ApplyFormFont(this);

    FDiscovery = new TNetDiscovery(this);
    connect(FDiscovery, &TNetDiscovery::replyReceived, this, [this](const TDiscoveryReply& r) {
        lvPortList->addTopLevelItem(new QTreeWidgetItem(QStringList{QString(), r.Name, r.Address}));
    });
    connect(FDiscovery, &TNetDiscovery::finished, this, [this] { ScanFinished(); });
    connect(btnFW, &QPushButton::clicked, this, [this] { btnFWClick(); });
    connect(btnOpen, &QPushButton::clicked, this, [this] { btnOpenClick(); });
    connect(btnClose, &QPushButton::clicked, this, [this] { btnCloseClick(); });
    connect(lvPortList, &QTreeWidget::itemSelectionChanged, this, [this] { lvPortListClick(); });
}

TForm13::~TForm13()
{
    FDiscovery->Cancel();
}

void TForm13::btnFWClick()
{
    btnFW->setEnabled(false);
    lvPortList->clear();
    FDiscovery->Start(DiscoveryTarget(DISCOVERY_PORT_PRINTER_LIST));
}

void TForm13::ScanFinished()
{
    QTimer::singleShot(AfterScanMs, this, [this] {
        btnFW->setEnabled(true);
        emit scanEnded();
    });
}

void TForm13::lvPortListClick()
{
    const QList<QTreeWidgetItem*> sel = lvPortList->selectedItems();
    if (sel.isEmpty())
        return;
    for (int i = 0; i < lvPortList->topLevelItemCount(); ++i)
        lvPortList->topLevelItem(i)->setText(0, QString());
    // Only an address the port engine opens can be chosen: a reply whose address line is
    // not one stays listed, but choosing it hands nothing back.
    const QString address = sel.first()->text(2);
    if (!IsStrictIPv4(address)) {
        gChosenPrinterAddress.clear();
        return;
    }
    sel.first()->setText(0, QStringLiteral("[-]"));
    gChosenPrinterAddress = address;
}

void TForm13::btnOpenClick()
{
    FOKFlag = -1;
    FDiscovery->Cancel();
    accept();
}

void TForm13::btnCloseClick()
{
    gChosenPrinterAddress.clear();
    FOKFlag = 0;
    FDiscovery->Cancel();
    reject();
}

void TForm13::closeEvent(QCloseEvent* event)
{
    FDiscovery->Cancel();
    QDialog::closeEvent(event);
}
