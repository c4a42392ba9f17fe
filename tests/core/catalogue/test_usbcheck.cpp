// USB identity check: the family steps over injected identity texts and the record file.
#include "CatalogueFixture.h"

#include "mdlModelData.h"

#include <QRegularExpression>

using UsbCheck = Core2Test;

namespace {

struct Record {
    QString Path;
    QString Get(const char* key) const { return prt::IniReadString(Path, USBCHK_Section, key); }
};

} // namespace

TEST_F(UsbCheck, FamilyStepsOverAttachedDevices)
{
    prt::SetLangText("Lang_All_00210272_11", "mismatch");
    const QString a = DevicePath(GetUsbId_VendorA_7008());
    const QString b = DevicePath(GetUsbId_VendorB_9008());
    const QString c = DevicePath(GetUsbId_VendorB_9006());
    const QString d = DevicePath(GetUsbId_VendorB_4011());
    const QString other = "USB\\VID_1234&PID_5678\\3-1";
    struct Row {
        QString Name;
        QStringList Devices;
        bool Ok, Matched;
        QString Model, Str, No, Vpid;
    };
    const QString A = GetUsbId_VendorA_7008(), B = GetUsbId_VendorB_9008(),
                  C = GetUsbId_VendorB_9006(), D = GetUsbId_VendorB_4011();
    // The text ends with a blank: written in quotes, it reads back whole (the raw line is
    // checked separately).
    const QString miss = QString(USBCHK_NoMatchText);
    const Row rows[] = {
        // family 1 before family 2 for a name in both; the result carries the model
        {"Y7", {a}, true, true, "Y7", A + " ,PrtName:Y7", "1", A},
        {"Y7", {b}, true, true, "Y7BT", B + " ,PrtName:Y7BT", "1", B},
        {"Y7", {other, b, a}, true, true, "Y7BT", B + " ,PrtName:Y7BT", "1", B},  // first device wins
        // family 3: passes without a model
        {"TE62", {c}, true, false, "", C, "1", C},
        {"AK-S770", {d}, true, true, "AK-S770", D, "1", D},
        // families 5-7 need the group list
        {"V52", {a}, true, true, "V52", A, "1", A},
        {"V52BT", {b}, true, true, "V52BT", B, "1", B},
        {"V52BT", {c}, true, true, "V52BT", C, "1", C},  // family 7 reports the family 6 model
        {"V52R", {b}, false, false, "", miss, "0", ""},
        {"Y7", {}, false, false, "", miss, "0", ""},   // nothing attached
        {"Y7", {other}, false, false, "", miss, "0", ""},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.Name.toStdString() + " " + r.Devices.join(";").toStdString());
        AttachUsb(r.Devices);
        ClearMatchedUsbVpid();
        QString model = "x", message = "x";
        bool matched = !r.Matched, ok = !r.Ok;
        ResolvePrinterModel(r.Name, model, matched, message, ok);
        EXPECT_EQ(ok, r.Ok);
        EXPECT_EQ(matched, r.Matched);
        EXPECT_EQ(model, r.Model);
        EXPECT_EQ(message, r.Ok ? QString() : QString("mismatch"));
        EXPECT_EQ(GetMatchedUsbVpid(), r.Vpid);
        const Record rec{ExePath("PgmOrCdr/" + r.Name + "/UsbVidPidCheck_Res.ini")};
        EXPECT_EQ(rec.Get(USBCHK_KeyStr), r.Str);
        EXPECT_EQ(rec.Get(USBCHK_KeyNo), r.No);
        EXPECT_EQ(rec.Get(USBCHK_KeyPrtName), r.Name);
    }
}

TEST_F(UsbCheck, NamesOutsideTheGatePassAndWriteNothing)
{
    AttachUsb({});
    QString model = "x", message = "x";
    bool matched = true, ok = false;
    ResolvePrinterModel("W16", model, matched, message, ok);
    EXPECT_TRUE(ok);
    EXPECT_FALSE(matched);
    EXPECT_TRUE(model.isEmpty() && message.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(ExePath("PgmOrCdr/W16")));
}

TEST_F(UsbCheck, GatedNameInNoFamilyNeverMatches)
{
    UsbCheckGateModels += "Lonely,";
    AttachUsb({DevicePath(GetUsbId_VendorA_7008()), DevicePath(GetUsbId_VendorB_9008())});
    QString model, message;
    bool matched = true, ok = true;
    ResolvePrinterModel("Lonely", model, matched, message, ok);
    EXPECT_FALSE(ok);
    EXPECT_FALSE(matched);
    const Record rec{ExePath("PgmOrCdr/Lonely/UsbVidPidCheck_Res.ini")};
    EXPECT_EQ(rec.Get(USBCHK_KeyNo), "0");
    EXPECT_TRUE(rec.Get(USBCHK_KeyVpid1).isEmpty());
    EXPECT_TRUE(rec.Get(USBCHK_KeyVpid2).isEmpty());
}

TEST_F(UsbCheck, RecordFileSectionKeysAndOverwrite)
{
    AttachUsb({DevicePath(GetUsbId_VendorA_7008())});
    QString model, message;
    bool matched = false, ok = false;
    ResolvePrinterModel("Y7", model, matched, message, ok);
    const QString path = ExePath("PgmOrCdr/Y7/UsbVidPidCheck_Res.ini");
    ASSERT_TRUE(QFileInfo::exists(path));
    EXPECT_EQ(prt::IniReadSections(path), QStringList{"Section_PgmOrCdr__PrtName_UsbVidPidCheck_Res"});
    QStringList keys = prt::IniReadKeys(path, USBCHK_Section);
    keys.sort();
    QStringList expected = {"Key_PgmOrCdr__PrtName_UsbVidPidCheck_Res__Str",
                            "Key_PgmOrCdr__PrtName_UsbVidPidCheck_Res__No",
                            "Key_PgmOrCdr__PrtName_UsbVidPidCheck_Res__Time",
                            "Key_PgmOrCdr__PrtName_UsbVidPidCheck_Res__PrtName",
                            "Key_PgmOrCdr__PrtName_UsbVidPidCheck_Res__Vpid1",
                            "Key_PgmOrCdr__PrtName_UsbVidPidCheck_Res__Vpid2"};
    expected.sort();
    EXPECT_EQ(keys, expected);
    const Record rec{path};
    // Y7 is in families 1 (Vpid1) and 2 (Vpid2).
    EXPECT_EQ(rec.Get(USBCHK_KeyVpid1), GetUsbId_VendorA_7008() + " ,PrtName:Y7");
    EXPECT_EQ(rec.Get(USBCHK_KeyVpid2), GetUsbId_VendorB_9008() + " ,PrtName:Y7BT");
    EXPECT_TRUE(QRegularExpression("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d-\\d{3}$")
                    .match(rec.Get(USBCHK_KeyTime))
                    .hasMatch())
        << rec.Get(USBCHK_KeyTime).toStdString();

    // A second check of the same name overwrites the keys.
    AttachUsb({});
    prt::IniClearCache();
    ResolvePrinterModel("Y7", model, matched, message, ok);
    EXPECT_EQ(rec.Get(USBCHK_KeyNo), "0");
    EXPECT_EQ(rec.Get(USBCHK_KeyStr), QString(USBCHK_NoMatchText));
    QFile raw(path);
    ASSERT_TRUE(raw.open(QIODevice::ReadOnly));
    EXPECT_TRUE(raw.readAll().contains(
        "Key_PgmOrCdr__PrtName_UsbVidPidCheck_Res__Str=\"ERROR:PVID does not match this Printer! \"\r\n"));
    // Every printer name has its own folder.
    ResolvePrinterModel("V52", model, matched, message, ok);
    EXPECT_TRUE(QFileInfo::exists(ExePath("PgmOrCdr/V52/UsbVidPidCheck_Res.ini")));
    EXPECT_EQ(rec.Get(USBCHK_KeyPrtName), "Y7");
}

TEST_F(UsbCheck, RecordFolderIsSafeAndFallsBackToUserData)
{
    const QString unsafe = GetUserDataSubDir("../a/b\\c");
    EXPECT_TRUE(unsafe.startsWith(ExePath("PgmOrCdr/")));
    EXPECT_FALSE(unsafe.mid(ExePath("PgmOrCdr/").size()).chopped(1).contains('/'));
    EXPECT_FALSE(unsafe.contains(".."));
    EXPECT_TRUE(QFileInfo(unsafe).isDir());

    // A program folder that cannot be written: the records go to the user data folder.
    QDir().mkpath(ExePath("ro"));
    QFile::setPermissions(ExePath("ro"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    gIdentityCheckDir = ExePath("ro/PgmOrCdr/");
    const QString dir = GetUsbVidPidCheckDir();
    QFile::setPermissions(ExePath("ro"), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                             QFileDevice::ExeOwner);
    if (QFileInfo(ExePath("ro/PgmOrCdr")).isDir())
        GTEST_SKIP() << "running with rights that ignore folder permissions";
    EXPECT_EQ(dir, DataPath("KesaUtility/PgmOrCdr/"));
}

// A label printer is never taken for a mobile one: each identity family names only its own
// mobile models, so a V64 beside a vendor-B 9008 device keeps its name.
TEST_F(UsbCheck, LabelModelIsNeverRenamedByAMobileFamily)
{
    AttachUsb({DevicePath(GetUsbId_VendorB_9008()), DevicePath(GetUsbId_VendorB_9006()),
               DevicePath(GetUsbId_VendorA_7008())});
    QString model = "x", message = "x";
    bool matched = true, ok = false;
    ResolvePrinterModel("V64", model, matched, message, ok);
    EXPECT_TRUE(ok);
    EXPECT_FALSE(matched);
    EXPECT_TRUE(model.isEmpty());
    const struct {
        int Family;
        const char* Members;
    } families[] = {
        {1, ",Y7,Y7(01),"}, {2, ",Y7BT,Y7,"}, {3, ",TE62,"}, {4, ",AK-S770,"},
        {5, ",V52,V52R,"},  {6, ",V52BT,"},   {7, ",V52BT,"},
    };
    for (const auto& f : families) {
        SCOPED_TRACE(f.Family);
        EXPECT_EQ(*UsbCheckFamilyList(f.Family), QString(f.Members));
    }
}
