#pragma once
// Sets the run's drive map and code page for one test and puts the earlier ones back.
#include "job/PathSettings.h"

namespace ovb::test {

class PathSettingsScope {
  public:
    explicit PathSettingsScope(PathSettings settings) : saved_(CurrentPathSettings()) {
        SetPathSettings(std::move(settings));
    }
    // Drive D: in folder.
    explicit PathSettingsScope(const std::filesystem::path& folder, std::string codePage = {})
        : PathSettingsScope(PathSettings{{{'D', folder}}, std::move(codePage)}) {}
    ~PathSettingsScope() { SetPathSettings(saved_); }
    PathSettingsScope(const PathSettingsScope&) = delete;
    PathSettingsScope& operator=(const PathSettingsScope&) = delete;

  private:
    PathSettings saved_;
};

} // namespace ovb::test
