#pragma once
// Test text for label printers that take CPCL text pages: for the models of the feature
// "FTNNo_PrintText_Type1" one CPCL page (header sized from the height, page width, one
// TEXT line per typed line, optional FORM, PRINT); for every other model the general
// TSPL text job of the label test-text window.
//
// The opener hands the paper width of the current model (text, mm) to the window before
// showing it: the invokable SetPaperWidth(text) (the main window calls it by name), or
// SetWidthLimit(text) / the Qt property "widthLimit".
#include "FormPrintText_Label.h"

class T_frmPrintTextLabelCpclV52bt : public TPrintTextLabelBase {
    Q_OBJECT
    Q_PROPERTY(QString widthLimit READ WidthLimit WRITE SetWidthLimit)
public:
    explicit T_frmPrintTextLabelCpclV52bt(QWidget* parent = nullptr);
    Q_INVOKABLE void SetPaperWidth(const QString& width) { SetWidthLimit(width); }

    void FormShow() override;
    void btnPrintClick() override;
    void InitLanguage();
    // The paper mode over the TSPL object (getkey 0xCE, 50 ms, one byte); true with a
    // non-zero answer.
    bool ReadPaperModeFlag();
    void PrintCpclJob(bool paperModeFlag);
    static QString BuildCpclTextLine(const QString& line, int x, int y) { return ::BuildCpclTextLine(line, x, y); }
};
