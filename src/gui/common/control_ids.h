#pragma once
// The numeric ids of the windows' controls, the one table the windows give
// their controls from and the tests find them by. A control carries its id
// as its objectName (see control_lookup.h). Ids are unique within a window
// only, so each window has its own namespace; the core's comments name
// controls by these numbers too. Free of Qt.
#include <array>
#include <cstddef>

namespace vantrell::gui::control_id {

namespace about_box {
inline constexpr int kVersion = 1001;
inline constexpr int kBuild = 1002;
}  // namespace about_box

namespace main_window {
inline constexpr int kRun = 1003;
inline constexpr int kDeviceCombo = 1005;
inline constexpr int kSelectionStatus = 1006;  // first status line under "Message"
inline constexpr int kDeviceStatus = 1007;     // second one, shared with the update
inline constexpr int kProgress = 1008;
inline constexpr int kByteCounter = 1009;
}  // namespace main_window

namespace down_window {
inline constexpr int kTotalProgress = 1008;
inline constexpr int kFileList = 1010;
inline constexpr int kLoadFiles = 1011;
inline constexpr int kRemoveFiles = 1012;
inline constexpr int kAutoRun = 1013;
// The pack status lines: MASTER, PACK-1 ... PACK-6.
inline constexpr int kFirstPackLine = 1015;
inline constexpr int kLastPackLine = 1021;
inline constexpr int kStageText = 1022;
inline constexpr int kRemoveAll = 1028;
inline constexpr int kBlankCheck = 1029;
inline constexpr int kProgram = 1030;
inline constexpr int kVerify = 1031;
inline constexpr int kEraseAll = 1032;
// Captions and values of the result counters: Total, Success, Fail.
inline constexpr std::array<int, 3> kCounterCaptions = {1033, 1034, 1035};
inline constexpr int kSumTotal = 1036;
inline constexpr int kSumSuccess = 1037;
inline constexpr int kSumFail = 1038;
inline constexpr std::array<int, 3> kCounters = {kSumTotal, kSumSuccess, kSumFail};
inline constexpr int kReset = 1040;
inline constexpr int kAutoOptionSet = 1041;
inline constexpr int kReadMaster = 1042;
inline constexpr int kCheckSum = 1096;

constexpr int PackLine(std::size_t socket) { return kFirstPackLine + static_cast<int>(socket); }
}  // namespace down_window

// The Auto Option Set box.
namespace auto_run_select {
inline constexpr int kBlankCheck = 1039;
inline constexpr int kProgram = 1040;
inline constexpr int kVerify = 1041;
inline constexpr int kErase = 1042;
inline constexpr int kEraseAll = 1059;
}  // namespace auto_run_select

namespace read_master {
inline constexpr int kStart = 1044;
inline constexpr int kLength = 1045;
inline constexpr int kReadRun = 1046;
inline constexpr int kClear = 1047;
inline constexpr int kSaveAs = 1048;
inline constexpr int kProgress = 1050;
inline constexpr int kSavedName = 1051;
inline constexpr int kProgressGroup = 1052;
inline constexpr int kCompareOpen = 1053;
inline constexpr int kComparisonName = 1054;
inline constexpr int kCompareRun = 1056;
// The dump views of the data read and of the comparison file.
inline constexpr int kLeftView = 1057;
inline constexpr int kRightView = 1058;
}  // namespace read_master

namespace nand {
// The information texts, in the order of the core's NandInfoField.
inline constexpr int kDeviceName = 1060;
inline constexpr int kTotalBlockCount = 1061;
inline constexpr int kBlockSize = 1062;
inline constexpr int kBadBlockCount = 1063;
inline constexpr int kFatStartBlock = 1064;
inline constexpr std::array<int, 5> kInformation = {kDeviceName, kTotalBlockCount, kBlockSize, kBadBlockCount,
                                                    kFatStartBlock};
inline constexpr int kReadBadBlock = 1065;
// The three download files, File1 to File3.
inline constexpr std::array<int, 3> kOpenFile = {1066, 1067, 1068};
inline constexpr std::array<int, 3> kFileName = {1057, 1069, 1070};
inline constexpr std::array<int, 3> kFileCheck = {1071, 1072, 1073};
inline constexpr std::array<int, 3> kStartBlock = {1074, 1075, 1076};
inline constexpr std::array<int, 3> kFileSize = {1077, 1078, 1079};
inline constexpr int kFatStart = 1080;
inline constexpr int kFatCheck = 1081;
inline constexpr int kEraseFirst = 1082;
inline constexpr int kDownload = 1083;
inline constexpr int kEraseLast = 1084;
inline constexpr int kErase = 1085;
inline constexpr int kEraseAll = 1086;
inline constexpr int kReadBlock = 1087;
inline constexpr int kReadStart = 1088;
inline constexpr int kReadCount = 1089;
inline constexpr int kStatus = 1090;
inline constexpr int kProgress = 1091;
inline constexpr int kRefresh = 1095;
}  // namespace nand

// The Read NAND Flash view over the blocks read.
namespace read_nd_flash {
inline constexpr int kView = 1057;
inline constexpr int kSaveAs = 1093;
inline constexpr int kFileName = 1094;
}  // namespace read_nd_flash

namespace bad_block_list {
inline constexpr int kList = 1057;
}  // namespace bad_block_list

namespace bin_file_info {
inline constexpr int kList = 1027;
}  // namespace bin_file_info

}  // namespace vantrell::gui::control_id
