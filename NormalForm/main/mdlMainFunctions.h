#pragma once
// The handlers of the main window's function buttons, by button objectName. Buttons whose
// window does not exist yet tell the operator that the function is not available yet; the
// windows register their handler here.
#include <QString>
#include <functional>

class T_frmMain_Label;

// What a function button does.
using TMainFunctionHandler = std::function<void(T_frmMain_Label& form)>;
// Registers (or, with an empty handler, removes) the handler of a button by objectName.
// A registered handler of a guarded function starts with form.RunGate() itself; the
// handlers of "btnAddPrinter", "btnModifyPrinter", "btnIPMessage" and "btnConnectTest"
// are taken the same way.
void RegisterMainFunction(const QString& buttonName, TMainFunctionHandler handler);
// The registered handler of a button; empty when none is.
TMainFunctionHandler FindMainFunction(const QString& buttonName);
// Buttons whose handler first runs the gate (selection again and the USB identity check).
bool IsGatedMainFunction(const QString& buttonName);

// Language key of the "not available yet" message.
inline constexpr char LANGKEY_FunctionNotAvailable[] = "FormMain_Label_MSGNotAvailable";
