// What logging every exchange costs: a 62-byte dump and a Korean message,
// each converted to CP949 and appended to the log file.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "core/link/message_log.h"
#include "core/text/cp949.h"

namespace {

std::string LogPath() { return std::string(P_tmpdir) + "/vantrell-bench Log.txt"; }

void BM_LogHexDumpOfAFullReply(benchmark::State& state) {
  vantrell::MessageLog log;
  log.Create(LogPath());
  std::uint8_t reply[62];
  for (int i = 0; i < 62; ++i) reply[i] = static_cast<std::uint8_t>(i * 7);
  for (auto _ : state) log.LogHexDump(reply, sizeof reply);
  state.SetItemsProcessed(state.iterations());
  log.Close();
  std::remove(LogPath().c_str());
}
BENCHMARK(BM_LogHexDumpOfAFullReply);

void BM_LogKoreanMessage(benchmark::State& state) {
  vantrell::MessageLog log;
  log.Create(LogPath());
  for (auto _ : state) log.LogMessage("현재 선택된 디바이스는 <%s> 용 입니다.\r\n\r\n", "ORB-C300");
  state.SetItemsProcessed(state.iterations());
  log.Close();
  std::remove(LogPath().c_str());
}
BENCHMARK(BM_LogKoreanMessage);

void BM_Utf8ToCp949(benchmark::State& state) {
  const std::string text = "Vantrell의 버전은 1.04\r\nPC Program의 버전은 1.05\r\n업데이트 하시겠습니까?";
  for (auto _ : state) benchmark::DoNotOptimize(vantrell::Utf8ToCp949(text));
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_Utf8ToCp949);

}  // namespace
