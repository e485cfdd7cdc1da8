#pragma once
// Only one copy of the editor may run: two copies would each hold a bank and overwrite each
// other's files. A lock file in the user's runtime folder stands for the running copy; a copy that
// crashed leaves its file behind, and the next start recognises it as stale by its dead process
// and takes it over. The running copy also listens on a local socket beside the lock, so that a
// later start with a file (a double-click in the file manager) hands the file over and ends
// instead of opening a second window.
#include <QLockFile>
#include <QObject>
#include <QString>

#include <memory>

class QLocalServer;
class QLocalSocket;

namespace ovb {

inline constexpr const char* kInstanceName =
    "ZerwintalOrvelantaSamplerBManager_Single_Instance_mutex";
inline constexpr const char* kAlreadyRunning =
    "Another copy of \"Zerwintal Orvelanta Sampler Bank Manager\" alredy running!";

class SingleInstance : public QObject {
    Q_OBJECT
  public:
    // folder: where the lock and the socket live; by default the user's runtime folder, which no
    // other user can read.
    explicit SingleInstance(const QString& name = kInstanceName, const QString& folder = {});
    ~SingleInstance() override;

    // False while another live copy holds the name. Taking it twice is harmless.
    bool tryAcquire();
    void release();
    bool held() const { return lock_.isLocked(); }
    QString lockPath() const { return path_; }

    // The running copy, once it can open files: from now on later starts may hand theirs over
    // (fileHandedOver). Needs the lock.
    bool listen();
    // A later start: gives the running copy an absolute path to open. True once that copy has
    // taken it; false when none answers within the time (one that is still starting gets it).
    bool handOver(const QString& path, int timeoutMs = 10000) const;

  signals:
    void fileHandedOver(const QString& path);

  private:
    void receive(QLocalSocket* socket);

    QString path_;
    QString socketPath_;
    QLockFile lock_;
    std::unique_ptr<QLocalServer> server_;
};

} // namespace ovb
