#include "ui/SingleInstance.h"

#include <QDir>

namespace ovb {

namespace {
QString LockPath(const QString& name, const QString& folder) {
    return QDir(folder.isEmpty() ? QDir::tempPath() : folder).filePath(name + ".lock");
}
} // namespace

SingleInstance::SingleInstance(const QString& name, const QString& folder)
    : path_(LockPath(name, folder)), lock_(path_) {
    // A lock is stale only when its process is gone: the age of the file says nothing, as the
    // editor may run for days.
    lock_.setStaleLockTime(0);
}

bool SingleInstance::tryAcquire() {
    return lock_.isLocked() || lock_.tryLock(0);
}

void SingleInstance::release() {
    lock_.unlock();
}

} // namespace ovb
