// Replays fuzz inputs without libFuzzer: every file under the folders (or the files) named
// on the command line is handed to LLVMFuzzerTestOneInput once. A failed property aborts.
#include <QByteArray>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

int RunFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
        return 1;
    }
    const QByteArray bytes = f.readAll();
    std::fprintf(stderr, "input %s (%lld bytes)\n", qPrintable(path), static_cast<long long>(bytes.size()));
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    int inputs = 0, failures = 0;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (QFileInfo(arg).isDir()) {
            QDirIterator it(arg, QDir::Files, QDirIterator::Subdirectories);
            QStringList files;
            while (it.hasNext())
                files << it.next();
            files.sort();
            for (const QString& f : files) {
                failures += RunFile(f);
                ++inputs;
            }
        } else {
            failures += RunFile(arg);
            ++inputs;
        }
    }
    // The empty input is always tried as well.
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(""), 0);
    std::fprintf(stderr, "replayed %d inputs\n", inputs + 1);
    if (inputs == 0) {
        std::fprintf(stderr, "no corpus inputs found\n");
        return 1;
    }
    return failures ? 1 : 0;
}
