#include "mdlValueData.h"

#include "mdlModelCatalog.h"
#include "mdlModelData.h"

#include <iterator>

namespace ValueData {
namespace {

template <size_t N>
QStringList ToList(const char16_t* const (&items)[N], size_t count = N)
{
    QStringList list;
    list.reserve(static_cast<qsizetype>(count));
    for (size_t i = 0; i < count && i < N; ++i)
        list.append(QString::fromUtf16(items[i]));
    return list;
}

// ---- code-page tables of the V52 form (value=value : region : name) -------------------
const char16_t* const kCodePageP[] = {
    u"0=0 : U.S.A., Standard Europe : PC437",
    u"16=16 : Multilingual : PC850",
    u"18=18 : Thai : PC874",
    u"19=19 : U.S.A., Standard Europe : PC437",
};
const char16_t* const kCodePageT1[] = {
    u"0=0 : U.S.A. Standard Europe : PC437",
    u"2=2 : Multilingual : PC850",
    u"3=3 : Portuguese : PC860",
    u"4=4 : Canadian-French : PC863",
    u"5=5 : Nordic : PC865",
    u"13=13 : Turkish : PC857",
    u"14=14 : Greek : PC737",
    u"16=16 : WPC1252 : WPC1252",
    u"17=17 : Cyrillic #2 : PC866",
    u"18=18 : Latin 2 : PC852",
    u"19=19 : Euro : PC858",
    u"26=26 : Thai : TIS18",
    u"32=32 : PC720 : PC720",
    u"33=33 : WPC775 : WPC775",
    u"34=34 : Cyrillic : PC855",
    u"36=36 : Hebrew : PC862",
    u"37=37 : Arabic : PC864",
    u"39=39 : Latin2 : ISO8859-2",
    u"40=40 : Latin9 : ISO8859-15",
    u"45=45 : WPC1250 : WPC1250",
    u"46=46 : Cyrillic : WPC1251",
    u"47=47 : WPC1253 : WPC1253",
    u"48=48 : WPC1254 : WPC1254",
    u"49=49 : WPC1255 : WPC1255",
    u"50=50 : WPC1256 : WPC1256",
    u"51=51 : WPC1257 : WPC1257",
    u"52=52 : WPC1258 : WPC1258",
    u"54=54 : Cyrillic /Bulgarian : MIK",
    u"55=55 : East EuropeLatvian 2 : CP755",
    u"57=57 : Chinese Simplified : Chinese Simplified",
    u"58=58 : Latvian : Latvian",
    u"59=59 : West Europe : ISO-8859-1",
    u"60=60 : Latin 3 : ISO-8859-3",
    u"61=61 : Baltic : ISO-8859-4",
    u"62=62 : Cyrillic : ISO-8859-5",
    u"63=63 : Arabic : ISO-8859-6",
    u"64=64 : Hebrew : ISO-8859-8",
    u"65=65 : Turkish : ISO-8859-9",
    u"66=66 : PC856 : PC856",
};
const char16_t* const kCodePageT3[] = {
    u"0=0 : U.S.A, Standard Europe : CP_437",
    u"16=16 : Multilingual : CP_850",
    u"17=17 : WPC1252 : WPC1252",
    u"18=18 : WPC1253 : WPC1253",
    u"19=19 : U.S.A., Standard EuropeCP_437",
    u"21=21 : Portuguese : CP_860",
    u"22=22 : Canadian-French : CP_863",
    u"23=23 : Nordic : CP_865",
    u"24=24 : Cyrillic #2 : CP_866",
    u"25=25 : Latin 2 : CP_852",
    u"26=26 : Euro : CP_858",
    u"27=27 : Turkish : CP_857",
    u"28=28 : Greek : CP_737",
    u"29=29 : WPC1252 : WPC1252",
    u"30=30 : PC720 : CP_720",
    u"31=31 : WPC775 : WPC775",
    u"32=32 : Cyrillic : CP_855",
    u"33=33 : Hebrew : CP_862",
    u"34=34 : Arabic : CP_864",
    u"35=35 : WPC1250 : WPC1250",
    u"36=36 : Cyrillic : WPC1251",
    u"37=37 : WPC1253 : WPC1253",
    u"38=38 : WPC1254 : WPC1254",
    u"39=39 : WPC1255 : WPC1255",
    u"40=40 : WPC1256 : WPC1256",
    u"41=41 : WPC1257 : WPC1257",
    u"42=42 : WPC1258 : WPC1258",
    u"43=43 : East Europe，Latvian 2 : CP_755",
    u"44=44 : PC856 : PC856",
    u"45=45 : West Europe : ISO-8859-1",
    u"46=46 : Latin2 : ISO8859-2",
    u"47=47 : Latin 3 : ISO-8859-3",
    u"48=48 : Baltic : ISO-8859-4",
    u"49=49 : Cyrillic : ISO-8859-5",
    u"50=50 : Arabic : ISO-8859-6",
    u"51=51 : Hebrew : ISO-8859-8",
    u"52=52 : Turkish : ISO-8859-9",
    u"53=53 : Latin9 : ISO8859-15",
    u"54=54 : Korea : Korea",
    u"55=55 : Traditional Chinese : Traditional Chinese",
    u"56=56 : Japanese : Japanese",
    u"57=57 : Simplied Chinese : Simplied Chinese",
    u"58=58 : Null : Null",
};
const char16_t* const kCodePageT4[] = {
    u"0=0 : U.S.A., Standard Europe : PC437",
    u"16=16 : Multilingual : PC850",
    u"18=18 : Thai : PC874",
    u"19=19 : U.S.A., Standard Europe : PC437",
    u"21=21 : Portuguese : PC860",
    u"22=22 : Canadian-French : PC863",
    u"23=23 : Nordic : PC865",
    u"24=24 : Cyrillic #2 : PC866",
    u"25=25 : Latin 2 : PC852",
    u"26=26 : Euro : PC858",
    u"27=27 : Turkish : PC857",
    u"28=28 : Greek : PC737",
    u"29=29 : WPC1252 : WPC1252",
    u"30=30 : Arabic : PC720",
    u"31=31 : Baltic Rim : WPC775",
    u"32=32 : Cyrillic : PC855 ",
    u"33=33 : Hebrew: PC862",
    u"34=34 : Arabic : PC864",
    u"35=35 : Latin2 : WPC1250",
    u"36=36 : Cyrillic : WPC1251",
    u"37=37 : Greek : WPC1253",
    u"38=38 : Turkish : WPC1254",
    u"39=39 : Hebrew : WPC1255",
    u"40=40 : Arabic : WPC1256",
    u"41=41 : Baltic Rim : WPC1257",
    u"42=42 : Vietnamese : WPC1258",
    u"43=43 : WPC755 : WPC755",
    u"44=44 : PC856 : PC856",
    u"45=45 : West Europe : ISO-8859-1",
    u"46=46 : Latin2 : ISO-8859-2",
    u"47=47 : Latin 3 : ISO-8859-3",
    u"48=48 : Baltic : ISO-8859-4",
    u"49=49 : Cyrillic : ISO-8859-5",
    u"50=50 : Arabic : ISO-8859-6",
    u"51=51 : Hebrew : ISO-8859-8",
    u"52=52 : Turkish : ISO-8859-9",
    u"53=53 : Latin9 : ISO-8859-15",
    u"54=54 : Korea : Korea",
    u"55=55 : Traditional Chinese : Traditional Chinese",
    u"56=56 : Japanese : Japanese",
    u"57=57 : Simplied Chinese : Simplied Chinese",
    u"61=61 : Iran II : Iran II",
};
const char16_t* const kCodePageT5[] = {
    u"0=0 : U.S.A., Standard Europe : PC437",
    u"2=2 : Multilingual : PC850",
    u"3=3 : Portuguese : PC860",
    u"4=4 : Canadian-French : PC863",
    u"5=5 : Nordic : PC865",
    u"13=13 : Turkish : PC857",
    u"14=14 : Greek : PC737",
    u"16=16 : WPC1252 : WPC1252",
    u"17=17 : Cyrillic #2 : PC866",
    u"18=18 : Latin 2 : PC852",
    u"19=19 : Euro : PC858",
    u"20=20 : Thai : KU42",
    u"21=21 : Thai : TIS11",
    u"22=22 : TIS18 : TIS18",
    u"23=23 : PC437 : PC437",
    u"32=32 : Arabic : PC720 ",
    u"33=33 : Baltic Rim : WPC775",
    u"34=34 : Cyrillic : PC855",
    u"36=36 : Hebrew : PC862",
    u"37=37 : Arabic : PC864",
    u"39=39 : Latin2 : ISO8859-2",
    u"40=40 : Latin9 : ISO8859-15",
    u"45=45 : Latin2 : WPC1250",
    u"46=46 : Cyrillic : WPC1251",
    u"47=47 : Greek : WPC1253",
    u"48=48 : Turkish : WPC1254",
    u"49=49 : Hebrew : WPC1255",
    u"50=50 : Arabic : WPC1256",
    u"51=51 : Baltic Rim : WPC1257",
    u"52=52 : Vietnamese : WPC1258",
    u"53=53 : Kazakhstan : KZ-1048 ",
    u"59=59 : ISO8859-1: ISO8859-1",
    u"60=60 : ISO8859-3: ISO8859-3",
    u"61=61 : ISO8859-4: ISO8859-4",
    u"62=62 : ISO8859-5 : ISO8859-5",
    u"63=63 : ISO8859-6 : ISO8859-6",
    u"64=64 : ISO8859-8 : ISO8859-8",
    u"65=65 : ISO8859-9 : ISO8859-9",
    u"66=66 : CP856 : CP856",
    u"67=67 : Iran II : Iran II",
};
const char16_t* const kCodePageT6[] = {
    u"0=0 : U.S.A., Standard Europe : PC437",
    u"1=1 : Katakana : Katakana",
    u"2=2 : Multilingual : PC850",
    u"3=3 : Portuguese : PC860",
    u"4=4 : Canadian-French : PC863",
    u"5=5 : Nordic : PC865",
    u"13=13 : Turkish : PC857",
    u"14=14 : Greek : PC737",
    u"16=16 : WPC1252 : WPC1252",
    u"17=17 : Cyrillic #2 : PC866",
    u"18=18 : Latin 2 : PC852",
    u"19=19 : Euro : PC858",
    u"32=32 : PC720 : PC720",
    u"33=33 : WPC775 : WPC775",
    u"34=34 : Cyrillic : PC855",
    u"36=36 : Hebrew : PC862",
    u"37=37 : Arabic : PC864",
    u"39=39 : Latin2 : ISO8859-2",
    u"40=40 : Latin9 : ISO8859-15",
    u"45=45 : WPC1250 : WPC1250",
    u"46=46 : Cyrillic : WPC1251",
    u"47=47 : WPC1253 : WPC1253",
    u"48=48 : WPC1254 : WPC1254",
    u"49=49 : WPC1255 : WPC1255",
    u"50=50 : WPC1256 : WPC1256",
    u"51=51 : WPC1257 : WPC1257",
    u"52=52 : WPC1258 : WPC1258",
    u"59=59 : West Europe : ISO-8859-1",
    u"60=60 : Latin 3 : ISO-8859-3",
    u"61=61 : Baltic : ISO-8859-4",
    u"62=62 : Cyrillic : ISO-8859-5",
    u"63=63 : Arabic : ISO-8859-6",
    u"64=64 : Hebrew : ISO-8859-8",
    u"65=65 : Turkish : ISO-8859-9",
    u"66=66 : PC856 : PC856",
    u"110=110 : Korea : Korea",
    u"111=111 : Traditional Chinese : Traditional Chinese",
    u"112=112 : Japanese : Japanese",
    u"113=113 : Simplied Chinese : Simplied Chinese",
};
const char16_t* const kCodePageT7[] = {
    u"1=1 : U.S.A, Standard Europe : CP_437",
    u"2=2 : Katakana : CP_KATAKANA",
    u"3=3 : Arabic : CP_720",
    u"4=4 : Greek : CP_737",
    u"5=5 : 5 : CP_755",
    u"8=8 : Baltic : CP_775",
    u"9=9 : Multilingual : CP_850",
    u"12=12 : Turkish : CP_853",
    u"14=14 : Cyrillic : CP_855",
    u"15=15 : 15 : CP_856",
    u"16=16 : Turkish : CP_857",
    u"17=17 : Euro : CP_858",
    u"19=19 : PORTUGUESE : CP_860",
    u"21=21 : Hebrew : CP_862",
    u"22=22 : Canadian/French : CP_863",
    u"23=23 : Arabic : CP_864",
    u"24=24 : Nordic : CP_865",
    u"25=25 : Cyrillic #2, Russian : CP_866",
    u"36=36 : Latin2 : CP_1250",
    u"37=37 : Cyrillic : CP_1251",
    u"38=38 : Latin : CP_1252",
    u"39=39 : Greek : CP_1253",
    u"40=40 : Turkish : CP_1254",
    u"41=41 : Hebrew : CP_1255",
    u"42=42 : Arabic : CP_1256",
    u"43=43 : Baltic Rim : CP_1257",
    u"44=44 : Vietnamese : CP_1258",
    u"62=62 : Latin 1 : CP_ISO8859_1",
    u"63=63 : Latin 2 : CP_ISO8859_2",
    u"64=64 : Latin 3 : CP_ISO8859_3",
    u"65=65 : Baltic : CP_ISO8859_4",
    u"66=66 : Cyrillic : CP_ISO8859_5",
    u"67=67 : Arabic : CP_ISO8859_6",
    u"68=68 : Greek : CP_ISO8859_7",
    u"69=69 : Hebrew : CP_ISO8859_8",
    u"70=70 : Turkish : CP_ISO8859_9",
    u"73=73 : Latin 9 : CP_ISO8859_15",
    u"77=77 : Thai Character Code 11,  TIS11 : CP_THAI11",
    u"82=82 : Thai Character Code 18,  TIS18 : CP_THAI18",
    u"84=84 : 84 : CP_MIK",
    u"85=85 : 85 : CP_IRAN",
    u"86=86 : 86 : CP_IRANII",
    u"87=87 : 87 : CP_LATVIAN",
};
const char16_t* const kIntlCharsetList1[] = {
    u"USA(USA)",
    u"British(BRI)",
    u"German(GER)",
    u"French(FRE)",
    u"Danish(DAN)",
    u"Italian(ITA)",
    u"Spanish(SPA)",
    u"Swedish(SWE)",
    u"Swiss(SWI)",
    u"United States(437)",
    u"Greek(737)",
    u"Multilingual(850)",
    u"Greek1(851)",
    u"Slavic(852)",
    u"Cyrillic(855)",
    u"Turkish(857)",
    u"Portuguese(860)",
    u"Icelandic(861)",
    u"Hebrew(862)",
    u"Canadian/French(863)",
    u"Arabic(864)",
    u"Nordic(865)",
    u"Russian(866)",
    u"Greek2(869)",
    u"Central Europe(1250)",
    u"Cyrillic(1251)",
    u"LatinI(1252)",
    u"Greek(1253)",
    u"Turkish(1254)",
    u"Hebrew(1255)",
    u"Arabic(1256)",
    u"Baltic(1257)",
    u"Vietnam(1258)",
    u"Latin1(8859-1)",
    u"Latin2(8859-2)",
    u"Latin3(8859-3)",
    u"Baltic(8859-4)",
    u"Cyrillic(8859-5)",
    u"Arabic(8859-6)",
    u"Greek(8859-7)",
    u"Hebrew(8859-8)",
    u"Turkish(8859-9)",
    u"Latin6(8859-10)",
    u"Latin9(8859-15)",
    u"Simplified Chinese GBK(936)",
    u"Traditional Chinese Big5(950)",
    u"Japanese Shift-JIS(932)",
    u"Vietnam(1258)",
};
const char16_t* const kIntlCharsetList2[] = {
    u"USA(USA)",
    u"U.K.(BRI)",
    u"German(GER)",
    u"French(FRE)",
    u"Denmark/Norway(DAN)",
    u"Italy(ITA)",
    u"Spain(SPA)",
    u"Sweden/Finland(SWE)",
    u"Swiss(SWI)",
    u"Latin(850)",
    u"Arabic(864)",
    u"Cyrillic(866)",
    u"Central and Eastern European Latin(1250)",
    u"Cyrillic(1251)",
    u"Latin(1252)",
    u"Modern Greek(1253)",
    u"Turkish(1254)",
    u"Hebrew(1255)",
    u"Arabic(1256)",
    u"Vietnam(1258)",
    u"Simplified Chinese GBK(936)",
    u"Shift-JIS(932)",
};
const char16_t* const kIntlCharsetList3[] = {
    u"USA(USA)",
    u"British(BRI)",
    u"German(GER)",
    u"French(FRE)",
    u"Danish(DAN)",
    u"Italian(ITA)",
    u"Spanish(SPA)",
    u"Swedish(SWE)",
    u"Swiss(SWI)",
    u"English - US(437)",
    u"Greek(737)",
    u"Latin 1(850)",
    u"Greek 1(851)",
    u"Latin 2 (Cyrillic II/Slavic)(852)",
    u"Cyrillic(855)",
    u"Turkish(857)",
    u"Portuguese(860)",
    u"Icelandic(861)",
    u"Hebrew(862)",
    u"French/Canadian(863)",
    u"Nordic(865)",
    u"Cyrillic CIS 1(866)",
    u"Greek 2(869)",
    u"Latin 2(1250)",
    u"Cyrillic(1251)",
    u"Latin 1(1252)",
    u"Greek(1253)",
    u"Turkish(1254)",
    u"Hebrew(1255)",
};
const char16_t* const kCodePageDefaultRows[] = {
    u"Default",
    u"PC437(USA:Standard Europe)",
    u"Katakana",
    u"PC850(Multilingual)",
    u"PC860(Portuguese)",
    u"PC863(Canadian-French)",
    u"PC865(Nordic)",
    u"PC857(Turkish)",
    u"PC737(Greek)",
    u"ISO8859-7(Greek)",
    u"WPC1252",
    u"PC866(Cyrillic #2)",
    u"PC852(Latin 2)",
    u"PC858(Euro)",
    u"KU42",
    u"TIS11(Thai)",
    u"TIS18(Thai)",
    u"PC720",
    u"WPC775",
    u"PC855(Cyrillic)",
    u"PC862(Hebrew)",
    u"PC864(Arabic)",
    u"ISO8859-2(Latin2)",
    u"ISO8859-15(Latin9)",
    u"WPC1250",
    u"WPC1251(Cyrillic)",
    u"WPC1253",
    u"WPC1254",
    u"WPC1255",
    u"WPC1256",
    u"WPC1257",
    u"WPC1258",
    u"MIK(Cyrillic/Bulgarian)",
    u"CP755(East Europe,Latvian 2)",
    u"Iran",
    u"Iran II",
    u"Latvian",
    u"ISO-8859-1(West Europe)",
    u"ISO-8859-3(Latin 3)",
    u"ISO-8859-4(Baltic)",
    u"ISO-8859-5(Cyrillic)",
    u"ISO-8859-6(Arabic)",
    u"ISO-8859-8(Hebrew)",
    u"ISO-8859-9(Turkish)",
    u"PC856",
    u"ABICOMP",
};
const char16_t* const kCodePageFamily1[] = {
    u"CP437",
    u"CP720",
    u"CP737",
    u"CP755",
    u"CP775",
    u"CP850",
    u"CP852",
    u"CP855",
    u"CP856",
    u"CP857",
    u"CP858",
    u"CP860",
    u"CP862",
    u"CP863",
    u"CP864",
    u"CP865",
    u"CP866",
    u"WPC1250",
    u"WPC1251",
    u"WPC1252",
    u"WPC1253",
    u"WPC1254",
    u"WPC1255",
    u"WPC1256",
    u"WPC1257",
    u"WPC1258",
    u"ISO8859-1",
    u"ISO8859-2",
    u"ISO8859-3",
    u"ISO8859-4",
    u"ISO8859-5",
    u"ISO8859-6",
    u"ISO8859-8",
    u"ISO8859-9",
    u"ISO8859-15",
    u"TIS18",
};
const char16_t* const kCodePageFamily3[] = {
    u"Using CodePage PC437",
    u"PC850 [Multilingual]",
    u"PAGE_LATIN9",
    u"PAGE_CP874",
    u"Katakana",
    u"PC860 [Portuguese]",
    u"PC863[Canadian-French]",
    u"PC865 [Nordic]",
    u"PC866 (Cyrillic #2)",
    u"PC852 (Latin 2)",
    u"PC858 (Euro)",
    u"PC857 (Turkish)",
    u"PC737 (Greek)",
    u"WPC1252",
    u"PC720",
    u"WPC775",
    u"PC855 (Cyrillic)",
    u"PC862 (Hebrew)",
    u"PC864 (Arabic)",
    u"WPC1250",
    u"WPC1251(Cyrillic)",
    u"WPC1253",
    u"WPC1254",
    u"WPC1255",
    u"WPC1256",
    u"WPC1257",
    u"WPC1258",
    u"CP755",
    u"PC856",
    u"ISO-8859-1",
    u"ISO8859-2 (Latin2)",
    u"ISO-8859-3[Latin 3]",
    u"ISO-8859-4[Baltic]",
    u"ISO-8859-5[Cyrillic]",
    u"ISO-8859-6[Arabic]",
    u"ISO-8859-8[Hebrew]",
    u"ISO-8859-9[Turkish]",
    u"ISO8859-15 (Latin9)",
    u"Korea",
    u"Traditional Chinese",
    u"Japanese",
    u"GBK",
    u"TIS18 (Thai)",
    u"TIS11 (Thai)",
    u"KU42",
};
const TCodePageNoPair kCodePageNoPairs[] = {
    {u"Default", u"0"},
    {u"PC437(USA:Standard Europe)", u"0"},
    {u"Katakana", u"1"},
    {u"PC850(Multilingual)", u"2"},
    {u"PC860(Portuguese)", u"3"},
    {u"PC863(Canadian-French)", u"4"},
    {u"PC865(Nordic)", u"5"},
    {u"PC857(Turkish)", u"13"},
    {u"PC737(Greek)", u"14"},
    {u"ISO8859-7(Greek)", u"15"},
    {u"WPC1252", u"16"},
    {u"PC866(Cyrillic #2)", u"17"},
    {u"PC852(Latin 2)", u"18"},
    {u"PC858(Euro)", u"19"},
    {u"KU42", u"20"},
    {u"TIS11(Thai)", u"21"},
    {u"TIS18(Thai)", u"26"},
    {u"PC720", u"32"},
    {u"WPC775", u"33"},
    {u"PC855(Cyrillic)", u"34"},
    {u"PC862(Hebrew)", u"36"},
    {u"PC864(Arabic)", u"37"},
    {u"ISO8859-2(Latin2)", u"39"},
    {u"ISO8859-15(Latin9)", u"40"},
    {u"WPC1250", u"45"},
    {u"WPC1251(Cyrillic)", u"46"},
    {u"WPC1253", u"47"},
    {u"WPC1254", u"48"},
    {u"WPC1255", u"49"},
    {u"WPC1256", u"50"},
    {u"WPC1257", u"51"},
    {u"WPC1258", u"52"},
    {u"MIK(Cyrillic/Bulgarian)", u"54"},
    {u"CP755(East Europe,Latvian 2)", u"55"},
    {u"Iran", u"56"},
    {u"Iran II", u"57"},
    {u"Latvian", u"58"},
    {u"ISO-8859-1(West Europe)", u"59"},
    {u"ISO-8859-3(Latin 3)", u"60"},
    {u"ISO-8859-4(Baltic)", u"61"},
    {u"ISO-8859-5(Cyrillic)", u"62"},
    {u"ISO-8859-6(Arabic)", u"63"},
    {u"ISO-8859-8(Hebrew)", u"64"},
    {u"ISO-8859-9(Turkish)", u"65"},
    {u"PC856", u"66"},
    {u"CP790", u"67"},
    {u"ABICOMP", u"67"},
    {u"MONGOLIAN", u"68"},
    {u"VISCII", u"69"},
    {u"PC775", u"33"},
};

const TCountryCharset kCountryCharsets[] = {
    {u"U.S.A.", 0},     {u"France", 1},           {u"Germany", 2},  {u"U.K.", 3},
    {u"Denmark \u2160", 4}, {u"Sweden", 5},      {u"Italy", 6},    {u"Spain \u2160", 7},
    {u"Japan", 8},      {u"Norway", 9},           {u"Denmark \u2161", 10},
    {u"Spain \u2161", 11}, {u"Latin", 12},        {u"Korea", 13},
    {u"Slovenia/Croatia", 14}, {u"China", 15},
};

const char16_t* const kWords0[] = {u"on", u"off"};
const char16_t* const kWords1[] = {u"gap", u"black mark", u"continuous"};
const char16_t* const kWords2[] = {u"off", u"tear", u"peel", u"cutter"};
const char16_t* const kWords3[] = {u"fixed", u"auto"};
// "calibation" is the word the printers expect.
const char16_t* const kWords4[] = {u"feed", u"calibation", u"length", u"none"};
const char16_t* const kWords5[] = {u"standard", u"alternate", u"alternate-2"};
const char16_t* const kWords6[] = {u"tear", u"peel", u"cutter"};
const char16_t* const kWords7[] = {u"wpa", u"wep1", u"wep2"};

} // namespace

QStringList CodePageTableP() { return ToList(kCodePageP); }
QStringList CodePageTableT1() { return ToList(kCodePageT1); }
QStringList CodePageTableT3() { return ToList(kCodePageT3); }
QStringList CodePageTableT4() { return ToList(kCodePageT4); }
QStringList CodePageTableT5() { return ToList(kCodePageT5); }
QStringList CodePageTableT6() { return ToList(kCodePageT6); }
QStringList CodePageTableT7() { return ToList(kCodePageT7); }

// The one receipt model with the short code-page table.
QString CodePageT1ModelList()
{
    return QStringLiteral(",") + GetModelName_Z34() + QStringLiteral(",");
}

QStringList ParamOptionWords(int kind)
{
    switch (kind) {
    case 0: return ToList(kWords0);
    case 1: return ToList(kWords1);
    case 2: return ToList(kWords2);
    case 3: return ToList(kWords3);
    case 4: return ToList(kWords4);
    case 5: return ToList(kWords5);
    case 6: return ToList(kWords6);
    case 7: return ToList(kWords7);
    default: return {};
    }
}

QStringList IntlCharsetList(int number)
{
    switch (number) {
    case 1: return ToList(kIntlCharsetList1);
    case 2: return ToList(kIntlCharsetList2);
    case 3: return ToList(kIntlCharsetList3);
    default: return {};
    }
}

QStringList CodePageDefaultRows() { return ToList(kCodePageDefaultRows); }

QStringList CodePageFamilyItems(int family)
{
    switch (family) {
    case 1: return ToList(kCodePageFamily1);
    case 2: return ToList(kCodePageDefaultRows, 45);
    case 3: return ToList(kCodePageFamily3);
    default: return {};
    }
}

QString CodePageFamilyKey(int family)
{
    switch (family) {
    case 1: return GetModelName_TE62();
    case 2: return GetModelName_SN723();
    case 3: return GetModelName_QT_V64();
    default: return {};
    }
}

int CodePageNoPairCount() { return static_cast<int>(std::size(kCodePageNoPairs)); }
const TCodePageNoPair& CodePageNoPair(int index) { return kCodePageNoPairs[index]; }
int CountryCharsetCount() { return static_cast<int>(std::size(kCountryCharsets)); }
const TCountryCharset& CountryCharset(int index) { return kCountryCharsets[index]; }

// ---- speed and paper-width cascades ---------------------------------------------------
// Every name below is a catalogue model an operator can select (company list or a brand's
// model list); the cascades are first-match, so each model sits in the first step it needs.
QString SpeedBuiltinList3()
{
    return QStringLiteral(",") + GetModelName_L44() + QStringLiteral(",") + GetModelName_L46() +
           QStringLiteral(",");
}
QString SpeedBuiltinList4()
{
    return QStringLiteral(",") + GetModelName_W16P() + QStringLiteral(",") + GetModelName_BTN7() +
           QStringLiteral(",");
}
QString SpeedBuiltinList6()
{
    const QString c = QStringLiteral(",");
    return c + GetModelName_V64C() + c + GetModelName_QT_V64BT() + c + GetModelName_TE62BT() + c +
           GetModelName_ZR905K() + c + GetModelName_ZR906() + c + GetModelName_ZR908() + c +
           GetModelName_ZR910() + c + GetModelName_ZR912() + c;
}
QString SpeedForce4Model() { return GetModelName_Kastor_Y7(); }
QString PaperWidthBuiltin48()
{
    return QStringLiteral(",") + GetModelName_HB25() + QStringLiteral(",") + GetModelName_L44() +
           QStringLiteral(",");
}
QString PaperWidthBuiltin72() { return QStringLiteral(",") + GetModelName_W16() + QStringLiteral(","); }

// ---- feature-key lists ----------------------------------------------------------------
// Wi-Fi: the mobile models with a Wi-Fi module.
QString FtnWifiSet0()
{
    const QString c = QStringLiteral(",");
    return c + GetModelName_W16P() + c + GetModelName_W16P_C() + c + GetModelName_BTN7() + c +
           GetModelName_L46() + c + GetModelName_AK_S770() + c;
}
QString FtnWifiSet0Type1()
{
    return QStringLiteral(",") + GetModelName_W16P_C() + QStringLiteral(",") +
           GetModelName_AK_S770() + QStringLiteral(",,");
}
QString FtnWifiSet0Type2L46() { return QStringLiteral(",") + GetModelName_L46() + QStringLiteral(","); }
QString FtnWifiReset0()
{
    const QString c = QStringLiteral(",");
    return c + GetModelName_W16P() + c + GetModelName_W16P_C() + c + GetModelName_BTN7() + c;
}
QString FtnAdvancedSettings0()
{
    return QStringLiteral(",") + GetModelName_W16P() + QStringLiteral(",") + GetModelName_BTN7() +
           QStringLiteral(",,");
}
// Bluetooth models whose pairing function and command language can be read and set.
QString FtnBluetoothSetBTFun2()
{
    const QString c = QStringLiteral(",");
    return c + GetModelName_W16P() + c + GetModelName_L44() + c + GetModelName_L46() + c +
           GetModelName_HB25() + c + GetModelName_SN723BT() + c + c;
}
// The V64 family and the five models whose USB identity the identity check knows, so that
// the guarded functions of those models check the attached printer.
QString FtnReadPrtBasicInfo0()
{
    const QString c = QStringLiteral(",");
    return c + GetModelName_V64() + c + GetModelName_Y7() + c + GetModelName_Y7BT() + c +
           GetModelName_TE62() + c + GetModelName_AK_S770() + c + GetModelName_V52() + c + c;
}

QString FtnFixedModelA() { return GetModelName_TA380(); }
QString FtnFixedModelB() { return GetModelName_HB25(); }
QString FtnDalpPrintTextModels()
{
    const QString c = QStringLiteral(",");
    return c + GetModelName_BTN7() + c + GetModelName_L44() + c + GetModelName_L46() + c +
           GetModelName_W16P_C() + c;
}
QString FtnDalpFixedModel() { return GetModelName_L46(); }
QString DalpOemKey()
{
    const TOemProfileRow* row = FindOemProfileRowByClass("TOemMobileDalp");
    return row ? QString::fromLatin1(row->OemKey) : QString();
}

} // namespace ValueData
