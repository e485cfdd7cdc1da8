// One copy of the editor at a time, and a crashed copy never blocks the next start.
#include "ui/SingleInstance.h"
#include "support/TestFiles.h"

#include <QDateTime>
#include <QFile>
#include <QLockFile>
#include <QProcess>

#include <gtest/gtest.h>

using namespace ovb;

namespace {
QString Folder(const test::TempDir& dir) {
    return QString::fromStdString(dir.path().string());
}
} // namespace

TEST(SingleInstance, SecondCopyIsRefusedUntilTheFirstEnds) {
    test::TempDir dir;
    SingleInstance first("Editor_mutex", Folder(dir));
    ASSERT_TRUE(first.tryAcquire());
    EXPECT_TRUE(first.tryAcquire()) << "taking it again in the same copy is harmless";

    SingleInstance second("Editor_mutex", Folder(dir));
    EXPECT_FALSE(second.tryAcquire());
    // The editor runs for days: an old lock of a live copy still counts.
    QFile lockFile(first.lockPath());
    ASSERT_TRUE(lockFile.open(QIODevice::ReadWrite));
    ASSERT_TRUE(lockFile.setFileTime(QDateTime::currentDateTime().addDays(-3),
                                     QFileDevice::FileModificationTime));
    lockFile.close();
    EXPECT_FALSE(second.tryAcquire());
    SingleInstance other("Another_mutex", Folder(dir));
    EXPECT_TRUE(other.tryAcquire()) << "only the same name is refused";

    first.release();
    EXPECT_TRUE(second.tryAcquire());
    EXPECT_FALSE(first.tryAcquire());
}

TEST(SingleInstance, LockOfACopyThatDiedIsTakenOver) {
    test::TempDir dir;
    SingleInstance instance("Editor_mutex", Folder(dir));

    // A lock file as a copy leaves it when it is killed: written by that copy, never removed.
    QProcess gone;
    gone.start("true", {});
    ASSERT_TRUE(gone.waitForStarted());
    const qint64 deadPid = gone.processId();
    ASSERT_TRUE(gone.waitForFinished());
    QByteArray content;
    {
        QLockFile model(instance.lockPath());
        ASSERT_TRUE(model.tryLock(0));
        QFile file(instance.lockPath());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        content = file.readAll();
        model.unlock();
    }
    content = QByteArray::number(deadPid) + content.mid(content.indexOf('\n'));
    QFile stale(instance.lockPath());
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write(content);
    stale.close();

    EXPECT_TRUE(instance.tryAcquire());
    SingleInstance next("Editor_mutex", Folder(dir));
    EXPECT_FALSE(next.tryAcquire()) << "the new copy now holds it";
}
