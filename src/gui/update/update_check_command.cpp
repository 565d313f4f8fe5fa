#include "gui/update/update_check_command.h"

#include <QCursor>
#include <QGuiApplication>

#include "core/update/companion_tool.h"
#include "core/update/http_manifest_fetcher.h"
#include "core/update/installed_files.h"
#include "core/update/update_check.h"

namespace vantrell::gui {
namespace {

// The fetch blocks the GUI thread; the cursor says so.
class BusyCursorFetcher : public ManifestFetcher {
 public:
  std::optional<std::string> Fetch(const std::string& url) override {
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    std::optional<std::string> document = fetcher_.Fetch(url);
    QGuiApplication::restoreOverrideCursor();
    return document;
  }

 private:
  HttpManifestFetcher fetcher_;
};

}  // namespace

bool RunUpdateCheck(Prompt& prompt, const std::string& programDirectory) {
  BusyCursorFetcher fetcher;
  DiskInstalledFiles files;
  return OnUpdateCheck({fetcher, files, programDirectory}, CompanionPlaceFor(programDirectory), prompt);
}

}  // namespace vantrell::gui
