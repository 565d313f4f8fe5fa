#include "gui/master/open_read_master.h"

#include <memory>

#include "core/master/read_master_memory.h"
#include "gui/master/read_master_dlg.h"

namespace vantrell::gui {

std::function<void(QWidget* parent)> MakeReadMasterOpener(ReadMasterSession& session, SelectedDevice device) {
  auto memory = std::make_shared<ReadMasterMemory>();
  return [&session, device = std::move(device), memory](QWidget* parent) {
    CReadMasterDlg window({session, *memory, device}, parent);
    window.exec();
  };
}

}  // namespace vantrell::gui
