#include "mdlPub_Obj_Ult_PrtPara.h"

#include "mdlGlobalVar.h"

#include <QWidget>

TObj_Ult_PrtPara::~TObj_Ult_PrtPara()
{
    ClearControls();
}

void TObj_Ult_PrtPara::AddControl(QWidget* control)
{
    FControls.append(QPointer<QWidget>(control));
}

void TObj_Ult_PrtPara::ClearControls()
{
    while (!FControls.isEmpty())
        FControls.removeLast();
}

TObj_Ult_PrtParaManage::~TObj_Ult_PrtParaManage()
{
    ClearGroups();
}

int TObj_Ult_PrtParaManage::AddGroup(TObj_Ult_PrtPara* group)
{
    // A group the manager already owns is not taken a second time (it would be freed twice).
    for (size_t i = 0; group && i < FGroups.size(); ++i)
        if (FGroups[i].get() == group)
            return static_cast<int>(i);
    FGroups.emplace_back(group);
    return static_cast<int>(FGroups.size()) - 1;
}

void TObj_Ult_PrtParaManage::ClearGroups()
{
    while (!FGroups.empty())
        FGroups.pop_back();
}

TObj_Ult_PrtPara* TObj_Ult_PrtParaManage::Group(int index) const
{
    if (index < 0 || index >= GroupCount())
        return nullptr;
    return FGroups[static_cast<size_t>(index)].get();
}

void TObj_Ult_PrtParaManage::Arrange(int startTop, int& bottom)
{
    bottom = 0;
    FShownCount = 0;
    QString log;

    for (const auto& group : FGroups) {
        if (!group)
            continue;
        for (const QPointer<QWidget>& control : group->Controls())
            if (control)
                control->setVisible(false);
    }

    int top = startTop;
    for (const auto& group : FGroups) {
        if (!group || !group->Visible)
            continue;
        log += QStringLiteral("\r\n") + group->Name + QStringLiteral(",Top:") + QString::number(top) +
               QStringLiteral(",TheHeight:") + QString::number(group->Height) +
               QStringLiteral(",SpaceOfHeight:") + QString::number(SpaceOfHeight) +
               QStringLiteral(",sum:") + QString::number(group->Height + SpaceOfHeight);
        for (const QPointer<QWidget>& control : group->Controls()) {
            if (!control)
                continue;
            control->setVisible(true);
            control->move(control->x(), top);
        }
        ++FShownCount;
        top += group->Height + SpaceOfHeight;
    }
    bottom = top;
    FLogText = log;
    WriteDebugLog(log);
}
