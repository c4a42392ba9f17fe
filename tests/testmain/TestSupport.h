#pragma once
// Small fixtures shared by the tests.
#include "PrtMsgBox.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QThread>
#include <optional>
#include <string>
#include <vector>

class QWidget;

namespace prt::test {

// Records every message box while alive and answers each with `answer`.
class MsgBoxRecorder {
public:
    explicit MsgBoxRecorder(int answer = prt::IDOK_);
    ~MsgBoxRecorder();
    MsgBoxRecorder(const MsgBoxRecorder&) = delete;
    MsgBoxRecorder& operator=(const MsgBoxRecorder&) = delete;

    const std::vector<prt::MsgBoxCall>& calls() const { return calls_; }
    // The text of every box so far, in order.
    QStringList texts() const
    {
        QStringList t;
        for (const prt::MsgBoxCall& c : calls_)
            t << c.text;
        return t;
    }
    void setAnswer(int answer) { answer_ = answer; }
    void clear() { calls_.clear(); }

private:
    std::vector<prt::MsgBoxCall> calls_;
    int answer_;
    prt::MsgBoxHandler previous_;
};

// Sets an environment variable for the lifetime of the object, then restores it.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const QString& value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    QByteArray name_;
    std::optional<QByteArray> old_;
};

// Writes a file for a test (folders made as needed); a file that cannot be written fails
// the running test.
void WriteTestFile(const QString& path, const QByteArray& bytes);
// The file's bytes, empty when it cannot be read.
QByteArray ReadTestFile(const QString& path);

// A private program folder (with files/), user data folder, config folder and developer
// root, set through the environment for the lifetime of the object, so a test never
// touches another's files or the user's.
class TempProgramTree {
public:
    TempProgramTree();
    TempProgramTree(const TempProgramTree&) = delete;
    TempProgramTree& operator=(const TempProgramTree&) = delete;

    QString Root() const { return dir_.path() + "/"; }
    QString ProgDir() const { return Root() + "prog/"; }
    QString FilesDir() const { return ProgDir() + "files/"; }
    QString DataDir() const { return Root() + "data/"; }
    QString DevDir() const { return Root() + "dev/"; }
    QString ConfigDir() const { return Root() + "config/PrtUtility/"; }

private:
    QTemporaryDir dir_;
    ScopedEnv exe_, data_, xdgData_, config_, dev_;
};

// Bytes from a hex text such as "1B 1C 26" (blanks ignored).
QByteArray Hex(const char* text);
// Hex text "1B 1C 26" of bytes, for readable assertion messages.
std::string ToHex(const QByteArray& bytes);

// Paths under dir where something is that cannot be read as a file: a folder named
// `name`, and, where read rights are enforced (not for root), a file "noread-" + name
// without them.
QStringList UnreadableFilePaths(const QString& dir, const QString& name);

// Heads of picture files that state a size and hold no pixels, for sizes no test should
// write out. PNG: the signature, an IHDR chunk (with its CRC) and an empty data chunk;
// BMP: the file header and a 40-byte information header (24 bits a pixel; a negative
// height is a picture stored top-down) and no rows; JPEG: SOI, a one-component SOF0
// and a scan header.
QByteArray PngHeadClaiming(uint32_t width, uint32_t height, int bitDepth = 8, int colourType = 2);
QByteArray BmpHeadClaiming(int32_t width, int32_t height);
QByteArray JpegHeadClaiming(uint16_t width, uint16_t height);

// Source folder of the project (for shipped files in files/).
// Visible captions of a shown window that are blank, cut short by their place, or carry
// a stray mark or doubled punctuation; one line each.
QStringList CaptionFaults(QWidget* w);

QString SourceDir();

// Polls `pred` every 10 ms for up to 3 s (another thread, such as the simulator, is to
// make it true); true as soon as it holds.
template <typename Pred>
bool WaitFor(Pred pred)
{
    for (int i = 0; i < 300; ++i) {
        if (pred())
            return true;
        QThread::msleep(10);
    }
    return false;
}

} // namespace prt::test
