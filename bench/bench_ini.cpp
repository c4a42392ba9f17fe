// Ini reads: a cached read of one key of a large language-style file; a parse with the
// first read of one section (the usual load); a parse with every section read.
#include "PrtIni.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// Ten language sections of 2000 keys each (about the size of the shipped language files
// times ten).
QByteArray LanguageFileBytes()
{
    QByteArray b = "\xEF\xBB\xBF[LanguageCollect]\r\nList=2052,1033\r\n";
    for (int s = 0; s < 10; ++s) {
        b += "[" + QByteArray::number(1000 + s) + "]\r\n";
        for (int k = 0; k < 2000; ++k)
            b += "FormMain_Label_Key" + QByteArray::number(k) + "=Some caption text " +
                 QByteArray::number(k) + "\r\n";
    }
    return b;
}

void BM_IniReadStringCached(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("UtilityForLabelLanguage.ini");
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(LanguageFileBytes());
    f.close();
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(prt::IniReadString(
            path, QStringLiteral("1009"), QStringLiteral("FormMain_Label_Key%1").arg(i++ % 2000)));
    }
}
BENCHMARK(BM_IniReadStringCached);

void BM_IniParseLargeFile(benchmark::State& state)
{
    const QByteArray bytes = LanguageFileBytes();
    for (auto _ : state) {
        prt::IniFile ini;
        ini.parse(bytes);
        benchmark::DoNotOptimize(ini.readString(QStringLiteral("1000"), QStringLiteral("FormMain_Label_Key1")));
    }
}
BENCHMARK(BM_IniParseLargeFile)->Unit(benchmark::kMillisecond);

void BM_IniParseAndReadEverySection(benchmark::State& state)
{
    const QByteArray bytes = LanguageFileBytes();
    for (auto _ : state) {
        prt::IniFile ini;
        ini.parse(bytes);
        for (int s = 0; s < 10; ++s)
            benchmark::DoNotOptimize(ini.readString(QString::number(1000 + s), QStringLiteral("FormMain_Label_Key1")));
    }
}
BENCHMARK(BM_IniParseAndReadEverySection)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
