// The updater: brings the files of the program directory, its working
// directory, up to the published versions, then starts the program again.
#include <filesystem>

#include "companions/common/companion_app.h"
#include "companions/updater/dizi_diverur_dlg.h"
#include "core/platform/program_path.h"
#include "core/platform/utf8_path.h"
#include "core/update/companion_tool.h"
#include "core/update/updater/updater_staging_targets.h"

int main(int argc, char** argv) {
  using namespace vantrell;
  return gui::RunCompanionApp(argc, argv, {kUpdater.fileName, [](bool probing) {
    std::error_code ec;
    const std::filesystem::path directory = std::filesystem::current_path(ec);
    auto window = std::make_unique<gui::CDiziDiverurDlg>(
        UpdaterSettingsFor(ec ? std::string(".") : PathUtf8(directory), ExecutablePath()));
    if (!probing) window->StartUpdate();
    return window;
  }, [] { return UpdaterStagingTargets("."); }});
}
