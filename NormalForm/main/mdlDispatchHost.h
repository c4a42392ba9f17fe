#pragma once
// What the function dispatch needs of the windows it drives: the main window and the
// printer-management window implement these, so the dispatch needs neither window's header.
#include <QString>

class QWidget;

// The printer-management window as the add and modify commands use it.
class TPrinterManageTarget {
public:
    // What the management window gets for "Modify": the remembered row (its place and the
    // line it was loaded from), PrtDefName and the row's fields (a network port string
    // without its "NET," prefix).
    struct TModifyHandover {
        int Row = 0;
        QString RowLine;
        QString PrtDefName, PortType, PortParam, Notes, PrtVerOfTool;
    };
    // Mode "Add"; nothing else changes.
    virtual void PrepareAdd() = 0;
    // Mode "Modify" with the row's fields.
    virtual void PrepareModify(const TModifyHandover& h) = 0;
    // True after a written OK.
    virtual bool WrittenOk() const = 0;
    // True when OK found that the file no longer holds the row as loaded (it said so and
    // wrote nothing): the list must be read again.
    virtual bool FoundListChanged() const = 0;
    virtual QWidget* ManageWindow() = 0;

protected:
    ~TPrinterManageTarget() = default;
};

// The main window as the dispatch uses it.
class TMainFunctionHost {
public:
    using TModifyHandover = TPrinterManageTarget::TModifyHandover;

    // The guard of the printer functions; false when the function must not run.
    virtual bool RunGate() = 0;
    virtual int RowCount() const = 0;
    virtual TModifyHandover ModifyHandover() const = 0;
    // The text of the factory-reset question.
    virtual QString RestoreText() const = 0;
    // Shows the protocol line of the information page.
    virtual void ShowProtocolType(const QString& text) = 0;
    // After the management window wrote the file.
    virtual void PrinterAdded() = 0;
    virtual void PrinterModified() = 0;
    // The network-address update after the discovery window closed with an address.
    virtual void ApplyChosenAddress(const QString& address) = 0;
    // The one printer-management window (made on first use).
    virtual TPrinterManageTarget& PrinterManage() = 0;

protected:
    ~TMainFunctionHost() = default;
};
