// The ten layout-A forms against the simulator over loopback: each opens through the
// opener table for the selected printer, shows its rows, writes back exactly what it
// read, changes only the bytes of an edited row, and follows its family's model rules.
#include "FormParaSet_BQM260.h"
#include "FormParaSet_BTN7.h"
#include "FormParaSet_BTN7_Vuzivaz.h"
#include "FormParaSet_F58D.h"
#include "FormParaSet_F58S.h"
#include "FormParaSet_J83.h"
#include "FormParaSet_Trev.h"
#include "FormParaSet_U9.h"
#include "FormParaSet_Z12.h"
#include "FormParaSet_Z34.h"
#include "LayoutAFixture.h"
#include "PrtIni.h"
#include "mdlDevBasePrt.h"
#include "mdlFormOpeners.h"
#include "mdlLangText.h"
#include "mdlLanguage.h"
#include "mdlModelCatalog.h"
#include "mdlParaSetWidgets.h"
#include "mdlPrinterTypeList.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <set>

using namespace paratest;
using prt::sim::SimByte;
using prt::test::Hex;
using prt::test::ToHex;

namespace {

// The shipped files in a private program folder, the printer-type list loaded, English
// captions published; message texts stay the short test words of the fixture.
class Forms : public SimForm {
protected:
    void SetUp() override
    {
        SimForm::SetUp();
        const QDir shipped(prt::test::SourceDir() + "/files");
        for (const QString& name : shipped.entryList(QDir::Files))
            QFile::copy(shipped.filePath(name), tree.FilesDir() + name);
        prt::IniClearCache();
        gPrinterTypeListFileName = QStringLiteral("PrinterTypeList_Label.ini");
        LoadLanguage(LABEL_LANG_FILE, "1033");
        LoadParameterSetKeys();
        InitParamGlobals();
    }
    void TearDown() override
    {
        ClearPrinterTypeListState();
        ClearLangStrings();
        gLangFileName.clear();
        gLangId.clear();
        prt::IniClearCache();
        InitParamGlobals();
        SimForm::TearDown();
    }
    void LoadLanguage(const char* file, const char* section)
    {
        gLangFileName = QLatin1String(file);
        gLangId = QLatin1String(section);
        PublishLanguageTexts(gLangFileName, gLangId);
        LoadLanguageStrings();
        for (const char* key : {"_Err_OpenPort", "_Err_WriteData", "_Err_ReadData", "_Err_CheckSum",
                                "_MSG_Title_Error", "_MSG_Title_Message", "_ParaSet_OK", "_Err_ParaSet",
                                "_Err_BTPWD_Len"})
            prt::SetLangText(QLatin1String(key), QLatin1String(key));
        prt::SetLangText(QStringLiteral("Lang_All_00010021_11"), QStringLiteral("{0} must be between {1} and {2}."));
    }
    // Replaces one [ParameterSet] value of the program's printer-type list.
    void SetParameterSet(const QString& key, const QString& value)
    {
        prt::IniWriteString(tree.FilesDir() + "PrinterTypeList_Label.ini", "ParameterSet", key, value);
        prt::IniClearCache();
        LoadParameterSetKeys();
    }
    static void Select(const QString& bas, const QString& def = {})
    {
        PrtBasName = bas;
        PrtDefName = def.isEmpty() ? bas : def;
    }
    // Opens the form through the opener table, reads, lets `drive` act, frees it.
    void Open(const QString& cls, const std::function<void(TParaSetLayoutAForm*)>& drive)
    {
        SetFormShowHook([&](QWidget* w) {
            auto* form = qobject_cast<TParaSetLayoutAForm*>(w);
            ASSERT_NE(form, nullptr) << cls.toStdString();
            ASSERT_TRUE(ShowAndRead(form));
            drive(form);
        });
        ShowFormModal(cls);
        SetFormShowHook({});
    }
    void ClearWrites()
    {
        std::lock_guard l(printer.mutex());
        prt::sim::ProtoState(printer)->blockWrites.clear();
        printer.clearReceived();
        boxes.clear();
    }

    prt::test::TempProgramTree tree;
};

struct FormCase {
    const char* cls;
    const char* model;
    std::vector<SimByte> shown;  // row values the form shows exactly
};

// Values each form shows exactly (an item of each list, multiples of 8 dots, listed heat).
const std::vector<SimByte> kCommon = {{34, 5}, {58, 2}, {83, 1}, {100, 1}, {113, 0}, {114, 42}, {130, 0xF6}, {131, 0xFF}, {132, 3}};
std::vector<SimByte> With(std::vector<SimByte> more, bool heat = true)
{
    std::vector<SimByte> v;
    for (const SimByte& b : kCommon)
        if (heat || b.pos < 130)
            v.push_back(b);
    v.insert(v.end(), more.begin(), more.end());
    return v;
}
const std::vector<SimByte> kLengths = {{68, 0xA0}, {69, 0x0F}, {70, 0x40}, {71, 0x06}, {134, 0x50}, {135, 0x00}};
const std::vector<SimByte> kNet = {{4, 3}, {105, 2}, {107, 1}, {84, 1}, {88, 192}, {89, 168}, {90, 0}, {91, 200},
                                   {92, 255}, {93, 255}, {94, 255}, {95, 0}, {96, 192}, {97, 168}, {98, 0}, {99, 1},
                                   {55, 16}, {56, 15}, {101, 1}};
std::vector<SimByte> Cat(std::initializer_list<std::vector<SimByte>> parts)
{
    std::vector<SimByte> v;
    for (const auto& p : parts)
        v.insert(v.end(), p.begin(), p.end());
    return v;
}
std::vector<SimByte> BtZ34()
{
    std::vector<SimByte> v = {{31, 1}};
    const QByteArray name("PrtZ34-0001"), pwd("0420");
    for (int i = 0; i < 16; ++i)
        v.push_back({9 + i, i < name.size() ? uint8_t(name.at(i)) : uint8_t(0)});
    for (int i = 0; i < 4; ++i)
        v.push_back({25 + i, uint8_t(pwd.at(i))});
    return v;
}
std::vector<SimByte> BtZ12()
{
    std::vector<SimByte> v = {{162, 1}};
    const QByteArray name("Z12-Desk"), pwd("1234");
    for (int i = 0; i < 16; ++i)
        v.push_back({199 + i, i < name.size() ? uint8_t(name.at(i)) : uint8_t(0)});
    for (int i = 0; i < 4; ++i)
        v.push_back({20 + i, uint8_t(pwd.at(i))});
    return v;
}

std::vector<FormCase> Cases()
{
    return {
        {"T_frmParaSet_F58D", "F58D", With({{101, 1}})},
        {"T_frmParaSet_U9", "U9", With({})},
        {"T_frmParaSet_J83", "J83", Cat({With({{101, 1}, {55, 0}, {56, 3}}), kLengths})},
        {"T_frmParaSet_Trev", "Trev", Cat({With({{101, 0}}), kLengths})},
        {"T_frmParaSet_F58S", "F58S", With({{55, 33}, {56, 8}})},
        {"T_frmParaSet_Z34", "Z34BT", Cat({With({{55, 67}, {133, 0}}), BtZ34()})},
        {"T_frmParaSet_Z12", "Z12BT", Cat({With({{55, 2}, {56, 1}, {58, 1}, {132, 4}}), BtZ12()})},
        {"T_frmParaSet_BQM260", "BQM260", Cat({With({}), kNet, kLengths})},
        {"T_frmParaSet_BTN7", "BTN7", Cat({With({{34, 6}, {76, 1}}, false), kNet, kLengths})},
        {"T_frmParaSet_BTN7_Vuzivaz", "BTN7", Cat({With({{76, 0}}), kNet})},
    };
}

// A block with the form's exactly shown rows and the given bytes on top.
QByteArray BlockFor(const char* cls, const std::vector<SimByte>& overrides)
{
    std::vector<SimByte> bytes;
    for (const FormCase& c : Cases())
        if (QLatin1String(c.cls) == QLatin1String(cls))
            bytes = c.shown;
    bytes.insert(bytes.end(), overrides.begin(), overrides.end());
    return prt::sim::SimMakeFilledBlock(bytes);
}

// Changes the row's control to another value the row can hold; false when it cannot.
bool EditRow(TParaSetLayoutAForm* form, const TBlockField& f)
{
    const QString name = QString::fromLatin1(f.Control);
    if (f.Codec == TBlockCodec::IPv4) {
        auto* e = form->findChild<QLineEdit*>(name + "2");
        e->setText(e->text() == "7" ? "8" : "7");
        return true;
    }
    QWidget* w = form->findChild<QWidget*>(name);
    if (auto* c = qobject_cast<QComboBox*>(w)) {
        if (c->count() < 2 || !c->isEnabled())
            return false;
        if (f.Codec == TBlockCodec::CodePage) {  // names that share a number are no change
            c->setCurrentText(c->currentText() == "WPC1252" ? "Katakana" : "WPC1252");
            return true;
        }
        c->setCurrentIndex(c->currentIndex() == 1 ? 0 : 1);
        return true;
    }
    if (auto* r = qobject_cast<TRadioGroup*>(w)) {
        r->SetItemIndex(r->ItemIndex() == 1 ? 0 : 1);
        return true;
    }
    if (auto* c = qobject_cast<QCheckBox*>(w)) {
        c->setChecked(!c->isChecked());
        return true;
    }
    if (auto* e = qobject_cast<QLineEdit*>(w)) {
        if (f.Codec == TBlockCodec::FixedText)
            e->setText(f.Width == 4 ? "9876" : "Edited");
        else
            e->setText(e->text() == "40" ? "41" : "40");
        return true;
    }
    return false;
}

} // namespace

TEST_F(Forms, EveryFormWritesBackWhatItReadAndEachEditOnlyItsBytes)
{
    for (const FormCase& c : Cases()) {
        SCOPED_TRACE(c.cls);
        Select(c.model);
        const QByteArray stored = prt::sim::SimMakeFilledBlock(c.shown);
        prt::sim::SimSetBlock(printer, stored);
        ClearWrites();
        TBlockLayout rows;
        Open(c.cls, [&](TParaSetLayoutAForm* form) {
            EXPECT_EQ(form->objectName(), c.cls);
            rows = form->Rows();
            form->btnSet->click();
        });
        auto writes = Writes();
        ASSERT_EQ(writes.size(), 1u);
        EXPECT_EQ(ToHex(writes[0]), ToHex(stored)) << "Set without edits";
        ASSERT_EQ(boxes.calls().size(), 1u);
        EXPECT_EQ(boxes.calls()[0].text, "_ParaSet_OK");

        for (const TBlockField& f : rows) {
            if (f.Codec == TBlockCodec::Custom)
                continue;
            SCOPED_TRACE(f.Control);
            prt::sim::SimSetBlock(printer, stored);
            ClearWrites();
            bool edited = false;
            Open(c.cls, [&](TParaSetLayoutAForm* form) {
                edited = EditRow(form, f);
                form->btnSet->click();
            });
            writes = Writes();
            ASSERT_EQ(writes.size(), 1u);
            std::set<int> own;
            for (int i = 0; i < f.Width; ++i)
                own.insert(f.Pos + i);
            bool changed = false;
            for (int i = 1; i < 254; ++i) {
                if (own.count(i))
                    changed = changed || writes[0].at(i) != stored.at(i);
                else
                    EXPECT_EQ(uint8_t(writes[0].at(i)), uint8_t(stored.at(i))) << "byte " << i;
            }
            EXPECT_EQ(changed, edited);
        }
    }
}

TEST_F(Forms, StoredBytesWithoutAnItemGoBackAsRead)
{
    // Index at or above the item count, a heat value the list lacks, speed below 2 or
    // beyond the list, a code page the table lacks, a DHCP byte of 2.
    struct Case {
        const char* cls;
        const char* model;
        std::vector<SimByte> bytes;
        std::vector<const char*> emptyLists;
    };
    const Case cases[] = {
        {"T_frmParaSet_F58D", "F58D", {{34, 16}, {58, 3}, {130, 7}, {131, 0}, {132, 1}}, {"cmbDensity", "cmbJudgePaperMode", "cmbHeatAdj", "cmbPrintSpeed"}},
        {"T_frmParaSet_J83", "J83", {{55, 6}, {56, 16}, {132, 40}}, {"cmbCodepage", "cmbInternationalCharacter", "cmbPrintSpeed"}},
        {"T_frmParaSet_Z12", "Z12", {{58, 2}, {132, 5}}, {"cmbJudgePaperMode", "cmbPrintSpeed"}},
        {"T_frmParaSet_BTN7", "BTN7", {{34, 7}, {84, 2}, {4, 5}, {105, 3}, {107, 2}}, {"cmbDensity", "cmbDHCP", "cmbBaudRate", "cmbParity", "cmbStopBits"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cls);
        Select(c.model);
        const QByteArray stored = BlockFor(c.cls, c.bytes);
        prt::sim::SimSetBlock(printer, stored);
        ClearWrites();
        Open(c.cls, [&](TParaSetLayoutAForm* form) {
            for (const char* name : c.emptyLists)
                EXPECT_EQ(form->findChild<QComboBox*>(name)->currentIndex(), -1) << name;
            if (form->cmbDHCP) {
                for (QLineEdit* e : form->txtIP)
                    EXPECT_FALSE(e->isEnabled()) << "no fixed address selected";
            }
            form->btnSet->click();
        });
        const auto writes = Writes();
        ASSERT_EQ(writes.size(), 1u);
        EXPECT_EQ(ToHex(writes[0]), ToHex(stored));
    }
    // Choosing an item writes it.
    Select("F58D");
    prt::sim::SimSetBlock(printer, prt::sim::SimMakeFilledBlock({{34, 16}}));
    ClearWrites();
    Open("T_frmParaSet_F58D", [&](TParaSetLayoutAForm* form) {
        form->cmbDensity->setCurrentIndex(3);
        form->btnSet->click();
    });
    EXPECT_EQ(uint8_t(Writes()[0].at(34)), 3);
}

TEST_F(Forms, LengthsHeatAndTheRangesOfTheEdits)
{
    Select("J83");
    // 4001 dots shows 500 and goes back as 4000; heat hi 1 goes back as FF.
    prt::sim::SimSetBlock(printer, prt::sim::SimMakeFilledBlock({{68, 0xA1}, {69, 0x0F}, {130, 0xF6}, {131, 0x01}}));
    ClearWrites();
    Open("T_frmParaSet_J83", [&](TParaSetLayoutAForm* form) {
        EXPECT_EQ(form->txtMarkMaxLength->text(), "500");
        EXPECT_EQ(form->cmbHeatAdj->currentText(), "-10");
        form->txtLabelMaxLength->setText("600");
        form->CheckValue(form->txtLabelMaxLength);
        EXPECT_EQ(form->txtLabelMaxLength->text(), "500");
        form->txtStopPrint->setText("");
        form->CheckValue(form->txtStopPrint);
        EXPECT_EQ(form->txtStopPrint->text(), "0");
        form->txtStopPrint->setText("300");
        form->CheckValue(form->txtStopPrint);
        EXPECT_EQ(form->txtStopPrint->text(), "255");
        form->btnSet->click();
    });
    auto w = Writes()[0];
    EXPECT_EQ(ToHex(w.mid(68, 4)), "A0 0F A0 0F");
    EXPECT_EQ(ToHex(w.mid(130, 2)), "F6 FF");
    EXPECT_EQ(uint8_t(w.at(114)), 255);

    // BQM260: maximum lengths 38..400, the minimum not clamped.
    Select("BQM260");
    prt::sim::SimSetBlock(printer, prt::sim::SimMakeFilledBlock());
    Open("T_frmParaSet_BQM260", [&](TParaSetLayoutAForm* form) {
        struct Edit {
            QLineEdit* edit;
            const char* in;
            const char* out;
        };
        for (const Edit& e : {Edit{form->txtLabelMaxLength, "30", "38"}, Edit{form->txtLabelMaxLength, "450", "400"},
                              Edit{form->txtMarkMaxLength, "5", "38"}, Edit{form->txtLabelMinLength, "999", "999"}}) {
            e.edit->setText(e.in);
            form->CheckValue(e.edit);
            EXPECT_EQ(e.edit->text(), e.out) << e.in;
        }
        form->btnCloseClick();
    });
    // A stored 1000 mm length (beyond the 3-digit typing limit) is shown whole and kept.
    Select("BTN7");
    const QByteArray stored = prt::sim::SimMakeFilledBlock({{70, 0x40}, {71, 0x1F}});
    prt::sim::SimSetBlock(printer, stored);
    ClearWrites();
    Open("T_frmParaSet_BTN7", [&](TParaSetLayoutAForm* form) {
        EXPECT_EQ(form->txtLabelMaxLength->text(), "1000");
        form->btnSet->click();
    });
    EXPECT_EQ(ToHex(Writes()[0].mid(70, 2)), "40 1F");
}

TEST_F(Forms, DhcpDecidesTheAddressEditsAndOctetsAreChecked)
{
    struct Case {
        const char* cls;
        uint8_t dhcp;
        bool enabled;
    };
    // BQM260: item 0 is the fixed address; BTN7 forms: item 1 ("OFF").
    const Case cases[] = {{"T_frmParaSet_BQM260", 0, true}, {"T_frmParaSet_BQM260", 1, false},
                          {"T_frmParaSet_BTN7", 0, false},  {"T_frmParaSet_BTN7", 1, true},
                          {"T_frmParaSet_BTN7_Vuzivaz", 1, true}};
    Select("BTN7");
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.cls) + " " + std::to_string(c.dhcp));
        prt::sim::SimSetBlock(printer, prt::sim::SimMakeFilledBlock({{84, c.dhcp}, {88, 10}}));
        ClearWrites();
        Open(c.cls, [&](TParaSetLayoutAForm* form) {
            EXPECT_EQ(form->cmbDHCP->currentIndex(), c.dhcp);
            for (const auto* list : {&form->txtIP, &form->txtSubnet, &form->txtGateway})
                for (QLineEdit* e : *list)
                    EXPECT_EQ(e->isEnabled(), c.enabled) << e->objectName().toStdString();
            form->cmbDHCP->setCurrentIndex(1 - c.dhcp);
            EXPECT_EQ(form->txtGateway[3]->isEnabled(), !c.enabled) << "follows the choice";
            // Disabled or not, the edits' texts are written.
            form->txtIP[0]->setText("11");
            form->btnSet->click();
        });
        EXPECT_EQ(uint8_t(Writes()[0].at(88)), 11);
    }
    // An octet above 255 is refused with the row caption; nothing is sent.
    Select("BQM260");
    ClearWrites();
    Open("T_frmParaSet_BQM260", [&](TParaSetLayoutAForm* form) {
        form->txtSubnet[3]->setText("256");
        printer.clearReceived();
        form->btnSet->click();
        EXPECT_TRUE(form->isVisible());
        ASSERT_EQ(boxes.calls().size(), 1u);
        EXPECT_EQ(form->lblSubnet->text(), "Subnet mask") << "parameter labels end without a colon";
        EXPECT_EQ(boxes.calls()[0].text, "Subnet mask must be between 0 and 255.") << "the message has none";
        EXPECT_EQ(boxes.calls()[0].caption, "_MSG_Title_Error");
        form->btnCloseClick();
    });
    QThread::msleep(30);
    EXPECT_FALSE(printer.received().contains("ZZZCW"));
}

TEST_F(Forms, Z34BluetoothLidAndCommandLanguage)
{
    // Without Bluetooth: the group is hidden and bytes 9-31 never change.
    Select("Z34");
    QByteArray stored = BlockFor("T_frmParaSet_Z34", {{58, 3}, {61, 7}});
    prt::sim::SimSetBlock(printer, stored);
    ClearWrites();
    Open("T_frmParaSet_Z34", [&](TParaSetLayoutAForm* f) {
        auto* form = static_cast<T_frmParaSet_Z34*>(f);
        EXPECT_FALSE(form->BluetoothFlag());
        EXPECT_FALSE(form->gpbBT->isVisible());
        EXPECT_FALSE(form->gupBoxLidAction->isVisible()) << "Z34 is no lid model";
        EXPECT_EQ(form->ProtocolMode(), 2) << "Z34 is the listed model of the one-model list";
        EXPECT_EQ(form->cmbProtocolType->currentIndex(), 7 < 2 ? 7 : -1);
        EXPECT_EQ(form->cmbJudgePaperMode->currentIndex(), -1) << "paper byte 3 has no item";
        form->txtBTName->setText("Other");
        form->chkSimplePairing->setChecked(!form->chkSimplePairing->isChecked());
        form->btnSet->click();
    });
    EXPECT_EQ(ToHex(Writes()[0]), ToHex(stored));

    // Bluetooth lid model: byte 5 at 133 shows "_Disable" and goes back as 1; a long name
    // is cut to 16 bytes; mode 3 leaves byte 61 alone.
    Select("Z34BT");
    stored = BlockFor("T_frmParaSet_Z34", {{133, 5}, {61, 1}});
    prt::sim::SimSetBlock(printer, stored);
    ClearWrites();
    Open("T_frmParaSet_Z34", [&](TParaSetLayoutAForm* f) {
        auto* form = static_cast<T_frmParaSet_Z34*>(f);
        EXPECT_TRUE(form->BluetoothFlag());
        EXPECT_TRUE(form->gpbBT->isVisible());
        EXPECT_TRUE(form->gupBoxLidAction->isVisible());
        EXPECT_EQ(form->gupBoxLidAction->ItemIndex(), 0);
        EXPECT_EQ(form->ProtocolMode(), 3);
        EXPECT_FALSE(form->cmbProtocolType->isEnabled());
        EXPECT_EQ(form->cmbProtocolType->currentIndex(), -1);
        // Name and password take the printable characters 33-126 only, pasted too.
        form->txtBTPWD->clear();
        form->txtBTPWD->insert(QString::fromUtf8("1 2é"));
        EXPECT_EQ(form->txtBTPWD->text(), "");
        form->txtBTName->setText("ABCDEFGHIJKLMNOPQRST");  // a stored or earlier longer name
        form->txtBTPWD->insert("7a!~");
        form->btnSet->click();
    });
    QByteArray expect = stored;
    expect[133] = 1;
    expect.replace(9, 16, "ABCDEFGHIJKLMNOP");
    expect.replace(25, 4, "7a!~");
    EXPECT_EQ(ToHex(Writes()[0].left(254)), ToHex(expect.left(254)));

    // Mode 1 (feature switch): byte 61 through the name=value list; an unknown value shows
    // no item and stays.
    ParamGlobals().Permission[TParamGlobals::PermissionIndex("0142030002")] = 1;
    // The command languages offered: "0=CPCL" and "1=ESC".
    ParamGlobals().Permission[TParamGlobals::PermissionIndex("0142031002")] = 1;
    ParamGlobals().Permission[TParamGlobals::PermissionIndex("0142031006")] = 1;
    for (uint8_t b61 : {uint8_t(1), uint8_t(200)}) {
        SCOPED_TRACE(int(b61));
        stored = BlockFor("T_frmParaSet_Z34", {{61, b61}});
        prt::sim::SimSetBlock(printer, stored);
        ClearWrites();
        Open("T_frmParaSet_Z34", [&](TParaSetLayoutAForm* f) {
            auto* form = static_cast<T_frmParaSet_Z34*>(f);
            EXPECT_EQ(form->ProtocolMode(), 1);
            EXPECT_TRUE(form->ReadLanguageByList());
            EXPECT_EQ(form->cmbProtocolType->currentText(), b61 == 1 ? "ESC" : "");
            form->btnSet->click();
        });
        EXPECT_EQ(ToHex(Writes()[0]), ToHex(stored));
    }
    // Choosing a language writes its name part.
    stored = BlockFor("T_frmParaSet_Z34", {{61, 1}});
    prt::sim::SimSetBlock(printer, stored);
    ClearWrites();
    Open("T_frmParaSet_Z34", [&](TParaSetLayoutAForm* form) {
        form->cmbProtocolType->setCurrentText("CPCL");
        form->btnSet->click();
    });
    EXPECT_EQ(uint8_t(Writes()[0].at(61)), 0);
}

TEST_F(Forms, Z12PasswordTestAndResetAfterAGoodWriteOnly)
{
    const QByteArray reset = Hex("1B 1C 26 20 56 31 20 64 6F 20 22 72 65 73 65 74 5F 70 72 69 6E 74 65 72 22 0D 0A");
    // Bluetooth model, three-digit password: refused, nothing sent, edits kept.
    Select("Z12BT");
    const QByteArray stored = BlockFor("T_frmParaSet_Z12", {});
    prt::sim::SimSetBlock(printer, stored);
    ClearWrites();
    Open("T_frmParaSet_Z12", [&](TParaSetLayoutAForm* form) {
        EXPECT_EQ(form->txtBTPWD->text(), "1234");
        form->txtBTPWD->setText("123");
        printer.clearReceived();
        form->btnSet->click();
        ASSERT_EQ(boxes.calls().size(), 1u);
        EXPECT_EQ(boxes.calls()[0].text, "_Err_BTPWD_Len");
        EXPECT_EQ(boxes.calls()[0].flags, 16u);
        EXPECT_TRUE(form->isVisible());
        EXPECT_EQ(form->txtBTPWD->text(), "123");
        // The password edit takes digits only, typed or pasted.
        form->txtBTPWD->insert("a");
        EXPECT_EQ(form->txtBTPWD->text(), "123");
        form->txtBTName->clear();
        form->txtBTName->insert("my printer");
        EXPECT_EQ(form->txtBTName->text(), "") << "no blank in a name";
        form->txtBTName->insert("Desk_7");
        form->txtBTPWD->insert("9");
        form->btnSet->click();
    });
    auto writes = Writes();
    ASSERT_EQ(writes.size(), 1u);
    EXPECT_EQ(ToHex(writes[0].mid(20, 4)), ToHex("1239"));
    EXPECT_EQ(ToHex(writes[0].mid(199, 16)), ToHex(QByteArray("Desk_7") + QByteArray(10, '\0')));
    ASSERT_TRUE(Pump([&] { return printer.received().contains(reset); }, 1500));
    EXPECT_TRUE(printer.received().endsWith(reset)) << "the reset follows the block";

    // Without Bluetooth the same password is accepted; the Bluetooth bytes stay.
    Select("Z12");
    prt::sim::SimSetBlock(printer, stored);
    ClearWrites();
    Open("T_frmParaSet_Z12", [&](TParaSetLayoutAForm* form) {
        EXPECT_FALSE(form->txtBTPWD->isEnabled());
        EXPECT_FALSE(form->chkSimplePairing->isEnabled());
        form->txtBTPWD->setText("123");
        form->btnSet->click();
    });
    EXPECT_EQ(ToHex(Writes()[0]), ToHex(stored));
    // that good write's reset is in before the next part clears what came in
    ASSERT_TRUE(Pump([&] { return printer.received().contains(reset); }, 1500));

    // A failed write sends no reset.
    Select("Z12");
    ClearWrites();
    Open("T_frmParaSet_Z12", [&](TParaSetLayoutAForm* form) {
        server->stop();
        form->btnSet->click();
    });
    ASSERT_FALSE(boxes.calls().empty());
    EXPECT_EQ(boxes.calls().back().text, "_Err_ParaSet");
    EXPECT_FALSE(printer.received().contains(reset));
}

TEST_F(Forms, LanguageGroupRules)
{
    SetParameterSet("OnlyChinese", ",J83,Z12,BTN7,");
    // Hidden language groups still convert their bytes (and the dialog leaves no gap).
    Select("J83");
    const QByteArray stored = prt::sim::SimMakeFilledBlock({{55, 0}, {56, 0}});
    prt::sim::SimSetBlock(printer, stored);
    ClearWrites();
    int shownHeight = 0;
    Open("T_frmParaSet_J83", [&](TParaSetLayoutAForm* form) {
        EXPECT_FALSE(form->gpbLanguage->isVisible());
        shownHeight = form->height();
        form->cmbInternationalCharacter->setCurrentIndex(15);
        form->cmbCodepage->setCurrentText("WPC1252");
        form->btnSet->click();
    });
    auto w = Writes()[0];
    EXPECT_EQ(uint8_t(w.at(55)), 16);
    EXPECT_EQ(uint8_t(w.at(56)), 15);
    SetParameterSet("OnlyChinese", ",");
    Open("T_frmParaSet_J83", [&](TParaSetLayoutAForm* form) {
        EXPECT_TRUE(form->gpbLanguage->isVisible());
        EXPECT_GT(form->height(), shownHeight) << "the hidden group left no gap";
        form->btnCloseClick();
    });

    // F58S: the model of its one-model list sees its language settings but cannot change them.
    Select(GetModelName_F58S());
    ASSERT_TRUE(paraset::ModelCommaInList(PrtBasName, F58SOneModels));
    prt::sim::SimSetBlock(printer, prt::sim::SimMakeFilledBlock({{55, 16}, {56, 8}}));
    ClearWrites();
    Open("T_frmParaSet_F58S", [&](TParaSetLayoutAForm* form) {
        EXPECT_TRUE(form->gpbLanguage->isVisible());
        EXPECT_FALSE(form->gpbLanguage->isEnabled());
        EXPECT_FALSE(form->cmbCodepage->isEnabled());
        EXPECT_EQ(form->cmbCodepage->currentText(), "WPC1252");
        EXPECT_EQ(form->cmbInternationalCharacter->currentText(), "Japan");
        form->btnSet->click();
    });
    w = Writes()[0];
    EXPECT_EQ(uint8_t(w.at(55)), 16);
    EXPECT_EQ(uint8_t(w.at(56)), 8);
}

TEST_F(Forms, CaptionsAccessibleNamesAndPictures)
{
    struct Lang {
        const char* file;
        const char* section;
    };
    const char* forms[] = {"T_frmParaSet_F58D", "T_frmParaSet_U9", "T_frmParaSet_J83", "T_frmParaSet_Trev",
                           "T_frmParaSet_F58S", "T_frmParaSet_Z34", "T_frmParaSet_Z12", "T_frmParaSet_BQM260",
                           "T_frmParaSet_BTN7", "T_frmParaSet_BTN7_Vuzivaz"};
    for (const Lang& lang : {Lang{LABEL_LANG_FILE, "1033"}, Lang{LABEL_LANG_FILE, "2052"},
                             Lang{MOBILE_LANG_FILE, "1033"}, Lang{MOBILE_LANG_FILE, "2052"}}) {
        LoadLanguage(lang.file, lang.section);
        for (const char* cls : forms) {
            SCOPED_TRACE(std::string(cls) + " " + lang.file + " " + lang.section);
            Select(QString(cls).contains("Z34") ? "Z34BT" : QString(cls).contains("Z12") ? "Z12BT" : "J83");
            std::unique_ptr<QWidget> w(CreateFormByName(cls));
            auto* form = qobject_cast<TParaSetLayoutAForm*>(w.get());
            ASSERT_NE(form, nullptr);
            form->FormShow();
            EXPECT_FALSE(form->windowTitle().isEmpty());
            for (QLabel* l : form->findChildren<QLabel*>())
                EXPECT_FALSE(l->text().isEmpty()) << l->objectName().toStdString();
            for (QGroupBox* g : form->findChildren<QGroupBox*>())
                EXPECT_FALSE(g->title().isEmpty()) << g->objectName().toStdString();
            for (QAbstractButton* b : form->findChildren<QAbstractButton*>())
                EXPECT_FALSE(b->text().isEmpty()) << b->objectName().toStdString();
            for (QComboBox* c : form->findChildren<QComboBox*>())
                EXPECT_FALSE(c->accessibleName().isEmpty() || c->accessibleName() == c->objectName())
                    << c->objectName().toStdString();
            for (QLineEdit* e : form->findChildren<QLineEdit*>())
                EXPECT_FALSE(e->accessibleName().isEmpty()) << e->objectName().toStdString();
        }
    }
    // Pictures of each form as an operator sees it after a read (English).
    LoadLanguage(LABEL_LANG_FILE, "1033");
    struct Pic {
        const char* cls;
        const char* model;
        const char* file;
    };
    const Pic pics[] = {
        {"T_frmParaSet_F58D", "F58D", "F58D"},   {"T_frmParaSet_U9", "U9", "U9"},
        {"T_frmParaSet_J83", "J83", "J83"},      {"T_frmParaSet_Trev", "Trev", "Trev"},
        {"T_frmParaSet_F58S", "F58S", "F58S"},   {"T_frmParaSet_Z34", "Z34BT", "Z34"},
        {"T_frmParaSet_Z34", "Z34", "Z34_NoBluetooth"}, {"T_frmParaSet_Z12", "Z12BT", "Z12"},
        {"T_frmParaSet_BQM260", "BQM260", "BQM260"}, {"T_frmParaSet_BTN7", "BTN7", "BTN7"},
        {"T_frmParaSet_BTN7_Vuzivaz", "BTN7", "BTN7_Vuzivaz"},
    };
    for (const Pic& p : pics) {
        Select(p.model);
        prt::sim::SimSetBlock(printer, BlockFor(p.cls, {}));
        Open(p.cls, [&](TParaSetLayoutAForm* form) {
            SavePicture(form, QStringLiteral("FormParaSet_") + p.file);
            form->btnCloseClick();
        });
    }
}

TEST_F(Forms, F58SKeepsTheDoVocabularyOfTheLink)
{
    const char* expected[] = {"calibrate_sensor", "paper_learn", "factory_default", "reset_printer",
                              "print_test_page", "configguration_page", "tph_test_page", "dump_text", "dfu",
                              "update_firmware", "graph_sensor", "download", "delete", "print",
                              "font_download_quick", "wifi_default", "wifi_read_params", "wifi_update_params",
                              "wifi_scan", "reset_wifi", "bt_para_reset", "rfid_print", "rfid_calibrate",
                              "enter_ota", "save_param_zone", "unlock_para"};
    const auto& keys = F58SDoKeys();
    ASSERT_EQ(keys.size(), std::size(expected));
    for (size_t i = 0; i < keys.size(); ++i)
        EXPECT_EQ(QByteArray(keys[i]), QByteArray("\"") + expected[i] + "\"") << i;
}

TEST(ParaSetLanguage, EveryKeyTheFormsReadIsInBothLanguagesOfBothFiles)
{
    // Captions, words and messages of the layout-A forms.
    QStringList keys = {"_ParaSet", "_Set", "_Close", "_Disable", "_Enable", "_UnSupport", "_Support", "_BTSet",
                        "_BTName", "_BTPWD", "_PaperType_Receipt", "_PaperType_Label", "_PaperType_BlackMark",
                        "_PrintType1", "_PrintType2", "_ParaSet_OK", "_Err_ParaSet", "_Err_BTPWD_Len",
                        "_MSG_Title_Error", "_MSG_Title_Message", "_Err_OpenPort", "_Err_WriteData",
                        "_Err_ReadData", "_Err_CheckSum", "Lang_All_00010021_11", "Lang_All_00210004_12",
                        "Lang_All_00010002_11", "Lang_Pos_00010004_11", "Lang_Pos_00010003_11", "gupBoxLidAction",
                        "FormParaSet_Z12_lblBTNameLen", "FormParaSet_Z12_chkSimplePairing",
                        "FormParaSet_ZR_lblCodepage", "FormParaSet_W7X_cmbDHCP_Item1", "FormParaSet_W7X_cmbDHCP_Item2"};
    for (const char* name : {"gpbCOMPortSet", "lblBaudRate", "lblParity", "lblStopBits", "gpbLanguage",
                             "lblInternationalCharacter", "lblCodepage", "gpbReprintWhenError", "gpbPrintReprint",
                             "gpbDensity", "lblDensity", "gpbEthernetSetting", "lblDHCP", "lblIPAddress", "lblSubnet",
                             "lblDefautGateway", "gpbSmallLabel", "gpbAutoPosition", "gpbOther", "lblJudgePaperMode",
                             "lblStopPrint1", "lblStopPrint2", "lblLabelMaxLength", "lblMarkMaxLength",
                             "lblLabelMinLength", "gpbPrintType", "lblBTPWDLen"})
        keys << QStringLiteral("FormParaSet_260_") + name;
    for (const char* name : {"lblHeatAdj", "lblPrintSpeed", "lblDensity", "gpbReprintWhenError", "gpbSmallLabel",
                             "gpbOther", "lblJudgePaperMode", "lblStopPrint1", "lblStopPrint2"})
        keys << QStringLiteral("FormParaSet_W7X_") + name;
    for (const char* name : {"gpbLanguage", "lblInternationalCharacter", "lblCodepage"})
        keys << QStringLiteral("FormParaSet_BQM_") + name;
    for (const char* file : {LABEL_LANG_FILE, MOBILE_LANG_FILE}) {
        const QString path = prt::test::SourceDir() + "/files/" + file;
        for (const char* section : {"1033", "2052"})
            for (const QString& key : keys)
                EXPECT_FALSE(prt::IniReadString(path, section, key, QString()).isEmpty())
                    << file << " [" << section << "] " << key.toStdString();
    }
}
