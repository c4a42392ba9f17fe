// The program from process start to its first idle moment, run as an operator would start
// it (offscreen, in private program, data and configuration folders): it shows the main
// window, makes the hidden windows while idle and ends cleanly, with no warning of the
// toolkit about fonts or images used off the GUI thread (the fonts are read on a thread
// of their own from before the application object exists).
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct TRun {
    bool Finished = false;
    int ExitCode = -1;
    QString Errors;
};

TRun RunProgram(const QString& quitWhen)
{
    QTemporaryDir dir;
    QDir().mkpath(dir.filePath("prog/files"));
    const QDir shipped(QStringLiteral(PRT_SHIPPED_DIR));
    for (const QString& name : shipped.entryList(QDir::Files))
        QFile::copy(shipped.filePath(name), dir.filePath("prog/files/") + name);
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("PRT_QUIT_WHEN_IDLE", quitWhen);
    env.insert("PRT_EXE_DIR", dir.filePath("prog"));
    env.insert("PRT_DEV_ROOT", dir.filePath("dev"));
    env.insert("XDG_DATA_HOME", dir.filePath("data"));
    env.insert("XDG_CONFIG_HOME", dir.filePath("config"));
    env.insert("XDG_RUNTIME_DIR", dir.filePath("run"));
    QDir().mkpath(dir.filePath("run"));
    QFile::setPermissions(dir.filePath("run"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(PRT_PROGRAM_EXE), {});
    TRun run;
    run.Finished = p.waitForFinished(60000);
    if (!run.Finished) {
        p.kill();
        p.waitForFinished();
    }
    run.ExitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    run.Errors = QString::fromLocal8Bit(p.readAllStandardError());
    return run;
}

} // namespace

TEST(ProgramStart, ShowsTheMainWindowAndEndsCleanlyAtTheFirstIdleMoment)
{
    for (const char* quitWhen : {"1", "all"}) {
        SCOPED_TRACE(quitWhen);
        const TRun run = RunProgram(QString::fromLatin1(quitWhen));
        ASSERT_TRUE(run.Finished);
        EXPECT_EQ(run.ExitCode, 0) << run.Errors.toStdString();
        EXPECT_FALSE(run.Errors.contains(QLatin1String("not safe"))) << run.Errors.toStdString();
        EXPECT_FALSE(run.Errors.contains(QLatin1String("QFont"))) << run.Errors.toStdString();
        EXPECT_FALSE(run.Errors.contains(QLatin1String("QPixmap"))) << run.Errors.toStdString();
    }
}
