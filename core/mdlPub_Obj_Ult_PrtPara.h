#pragma once
// Control-group layout manager: windows register each optional row as a group, mark the
// groups that apply to the selected model, and the manager stacks the visible groups.
#include <QList>
#include <QPointer>
#include <QString>
#include <memory>
#include <vector>

class QWidget;

// One row: controls that share a top (not owned).
class TObj_Ult_PrtPara {
public:
    TObj_Ult_PrtPara() = default;
    ~TObj_Ult_PrtPara();
    TObj_Ult_PrtPara(const TObj_Ult_PrtPara&) = delete;
    TObj_Ult_PrtPara& operator=(const TObj_Ult_PrtPara&) = delete;

    void AddControl(QWidget* control);
    void ClearControls();  // removes the references, last first; controls untouched
    const QList<QPointer<QWidget>>& Controls() const { return FControls; }

    bool Visible = true;
    QString Name;
    int Height = 0;

private:
    QList<QPointer<QWidget>> FControls;
};

// Ordered, owning list of groups.
class TObj_Ult_PrtParaManage {
public:
    static constexpr int SpaceOfHeight = 6;

    TObj_Ult_PrtParaManage() = default;
    ~TObj_Ult_PrtParaManage();
    TObj_Ult_PrtParaManage(const TObj_Ult_PrtParaManage&) = delete;
    TObj_Ult_PrtParaManage& operator=(const TObj_Ult_PrtParaManage&) = delete;

    // Takes ownership and returns the index; a group already held keeps its index.
    int AddGroup(TObj_Ult_PrtPara* group);
    void ClearGroups();                       // frees the groups, last first
    // Hides every control of every group, then stacks the visible groups from startTop
    // with a 6-pixel gap; bottom = top after the last gap (startTop when none is visible).
    void Arrange(int startTop, int& bottom);

    int GroupCount() const { return static_cast<int>(FGroups.size()); }
    TObj_Ult_PrtPara* Group(int index) const;
    int ShownCount() const { return FShownCount; }
    const QString& LastLogText() const { return FLogText; }

private:
    std::vector<std::unique_ptr<TObj_Ult_PrtPara>> FGroups;
    int FShownCount = 0;
    QString FLogText;
};
