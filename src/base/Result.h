#pragma once
// What a step that the user's input can make fail reports: done, or the reason it was not done.
// The core reports such failures this way (and through the job services), never by throwing; a
// failed step has changed nothing.
#include <string>
#include <utility>

namespace ovb {

class [[nodiscard]] Result {
  public:
    Result() = default; // done
    static Result Failed(std::string reason) {
        Result r;
        r.reason_ = reason.empty() ? "failed" : std::move(reason);
        return r;
    }

    bool ok() const { return reason_.empty(); }
    explicit operator bool() const { return ok(); }
    const std::string& reason() const { return reason_; }

  private:
    std::string reason_;
};

} // namespace ovb
