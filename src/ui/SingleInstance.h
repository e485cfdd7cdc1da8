#pragma once
// Only one copy of the editor may run: two copies would each hold a bank and overwrite each
// other's files. A lock file in the temporary folder stands for the running copy; a copy that
// crashed leaves its file behind, and the next start recognises it as stale by its dead process
// and takes it over.
#include <QLockFile>
#include <QString>

namespace ovb {

inline constexpr const char* kInstanceName =
    "ZerwintalOrvelantaSamplerBManager_Single_Instance_mutex";
inline constexpr const char* kAlreadyRunning =
    "Another copy of \"Zerwintal Orvelanta Sampler Bank Manager\" alredy running!";

class SingleInstance {
  public:
    // folder: where the lock lives; the temporary folder is shared by every copy of one user.
    explicit SingleInstance(const QString& name = kInstanceName, const QString& folder = {});

    // False while another live copy holds the name. Taking it twice is harmless.
    bool tryAcquire();
    void release();
    bool held() const { return lock_.isLocked(); }
    QString lockPath() const { return path_; }

  private:
    QString path_;
    QLockFile lock_;
};

} // namespace ovb
