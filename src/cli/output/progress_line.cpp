#include "cli/output/progress_line.h"

#include <algorithm>
#include <cmath>

#include "core/text/format.h"

namespace vantrell::cli {
namespace {

std::string Amounts(const ProgressSample& s) {
  if (s.unit == "byte") return ByteSize(static_cast<double>(s.done)) + " of " + ByteSize(static_cast<double>(s.total));
  return FormatText("%llu of %llu %ss", static_cast<unsigned long long>(s.done),
                    static_cast<unsigned long long>(s.total), s.unit.c_str());
}

std::string Rate(const ProgressSample& s, double perSecond) {
  if (s.unit == "byte") return ByteSize(perSecond) + "/s";
  return FormatText("%.1f %ss/s", perSecond, s.unit.c_str());
}

std::string TimeLeft(double seconds) {
  if (!std::isfinite(seconds) || seconds < 0) return "--:-- left";
  const auto whole = static_cast<unsigned long long>(std::ceil(seconds));
  if (whole >= 3600) return FormatText("%llu:%02llu:%02llu left", whole / 3600, whole / 60 % 60, whole % 60);
  return FormatText("%llu:%02llu left", whole / 60, whole % 60);
}

}  // namespace

std::string ByteSize(double bytes) {
  if (bytes < 1024) return FormatText("%.0f B", bytes);
  if (bytes < 1024.0 * 1024) return FormatText("%.1f KiB", bytes / 1024);
  return FormatText("%.1f MiB", bytes / (1024.0 * 1024));
}

std::string ProgressLineText(const ProgressSample& s) {
  const std::uint64_t percent = s.total == 0 ? 100 : 100 * std::min(s.done, s.total) / s.total;
  std::string line = FormatText("  %s %3llu%%  ", s.stage.c_str(), static_cast<unsigned long long>(percent));
  line += Amounts(s);
  // No rate before some time has passed: the first packets say nothing of it.
  const std::uint64_t left = s.total - std::min(s.done, s.total);
  if (s.elapsedSeconds > 0.05 && s.done > 0) {
    const double rate = static_cast<double>(s.done) / s.elapsedSeconds;
    line += "  " + Rate(s, rate);
    line += "  " + TimeLeft(static_cast<double>(left) / rate);
  } else {
    line += "  " + TimeLeft(left == 0 ? 0 : -1);
  }
  return line;
}

}  // namespace vantrell::cli
