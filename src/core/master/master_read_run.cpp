#include "core/master/master_read_run.h"

#include "core/program/chip/socket_board.h"

namespace vantrell {

MasterReadRun::MasterReadRun(WriterLink& link, Prompt& prompt, BusyLease lease,
                             std::shared_ptr<ReadMasterViewSlot> views, const MasterReadRequest& request)
    : chip(link, prompt, SocketCountFor(request.device.name), std::move(lease)),
      views(std::move(views)),
      progress(*this->views),
      device(request.device),
      address(request.address),
      data(std::make_shared<MasterBytes>(request.length, 0)) {}

}  // namespace vantrell
