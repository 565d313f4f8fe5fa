// The device list editor: edits the device list of the program file in its
// working directory.
#include "companions/common/companion_app.h"
#include "companions/device_list_editor/device_list_update_dlg.h"
#include "core/platform/resource_table.h"
#include "core/update/companion_tool.h"

int main(int argc, char** argv) {
  using namespace vantrell;
  return gui::RunCompanionApp(argc, argv, {kDeviceListEditor.fileName, [](bool) {
    return std::make_unique<gui::CDeviceListUpdateDlg>(ProgramFilePath("."));
  }, [] { return std::vector<std::string>{ProgramFilePath(".")}; }});
}
