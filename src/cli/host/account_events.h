#pragma once
// The account an operation gives of itself, as vantrell-cli reports it:
// each stage entered is a "stage" event, its progress "progress" events (at
// most about ten a second, always the last), and the sockets' verdicts and
// the operation's end are kept for the result. Only the account is read,
// never what the windows' texts say.
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "cli/host/stage_reporter.h"
#include "core/operation/operation_account.h"

namespace vantrell::cli {

class AccountEvents {
 public:
  // paths: the job's files in job order, named by the stages of a file.
  AccountEvents(EventOutput& events, std::vector<std::string> paths) : stages_(events), paths_(std::move(paths)) {}

  void Entered(const StageEntry& stage);
  void Progress(std::uint64_t done);
  void Judged(const SocketVerdict& verdict);
  void Ended(const OperationEnd& end);

  std::vector<SocketVerdict> Verdicts() const;
  // Nothing while the operation runs, or when it was abandoned.
  std::optional<OperationEnd> End() const;

 private:
  StageReporter stages_;
  const std::vector<std::string> paths_;
  mutable std::mutex mutex_;
  StageEntry stage_;
  std::vector<SocketVerdict> verdicts_;
  std::optional<OperationEnd> end_;
};

// A worker's view whose account goes to AccountEvents.
template <typename View>
class AccountedView : public View {
 public:
  AccountedView(EventOutput& events, std::vector<std::string> paths) : account_(events, std::move(paths)) {}

  void StageEntered(const StageEntry& stage) override { account_.Entered(stage); }
  void StageProgress(std::uint64_t done) override { account_.Progress(done); }
  void SocketJudged(const SocketVerdict& verdict) override { account_.Judged(verdict); }
  void OperationEnded(const OperationEnd& end) override { account_.Ended(end); }

  const AccountEvents& Account() const { return account_; }

 private:
  AccountEvents account_;
};

}  // namespace vantrell::cli
