#include "core/platform/resource_table.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <span>

#include "core/platform/replacement_file.h"
#include "core/platform/utf8_path.h"

namespace vantrell {
namespace {

constexpr std::array<char, 8> kMagic = {'V', 'N', 'T', 'R', 'R', 'S', 'R', 'C'};
constexpr std::uint32_t kLayoutVersion = 1;
constexpr std::uint64_t kTrailerSize = 32;
constexpr std::uint64_t kEntrySize = 16;

#if defined(_WIN32)
constexpr char kPathSeparator = '\\';
#else
constexpr char kPathSeparator = '/';
#endif

struct Entry {
  std::uint32_t id = 0;
  std::uint32_t size = 0;
  std::uint32_t check = 0;
  std::uint32_t offset = 0;  // from the table's start
};

enum class TableState { Unreadable, Absent, Damaged, Valid };

struct Table {
  TableState state = TableState::Absent;
  std::uint64_t tableOffset = 0;
  std::uint64_t directoryOffset = 0;
  std::vector<Entry> entries;
};

std::uint32_t Fnv1a(std::span<const std::uint8_t> bytes) {
  std::uint32_t hash = 2166136261u;
  for (std::uint8_t b : bytes) {
    hash ^= b;
    hash *= 16777619u;
  }
  return hash;
}

std::uint32_t GetU32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::uint64_t GetU64(const std::uint8_t* p) {
  return static_cast<std::uint64_t>(GetU32(p)) | (static_cast<std::uint64_t>(GetU32(p + 4)) << 32);
}
void PutU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(v >> shift));
}
void PutU64(std::vector<std::uint8_t>& out, std::uint64_t v) {
  PutU32(out, static_cast<std::uint32_t>(v));
  PutU32(out, static_cast<std::uint32_t>(v >> 32));
}

std::uint64_t FileSizeOf(std::istream& in) {
  in.seekg(0, std::ios::end);
  const std::streamoff end = in.tellg();
  return end < 0 ? 0 : static_cast<std::uint64_t>(end);
}

bool ReadAt(std::istream& in, std::uint64_t offset, std::uint8_t* out, std::uint64_t count) {
  in.clear();
  in.seekg(static_cast<std::streamoff>(offset), std::ios::beg);
  in.read(reinterpret_cast<char*>(out), static_cast<std::streamsize>(count));
  return in.good() && static_cast<std::uint64_t>(in.gcount()) == count;
}

// Every entry must lie inside the data area between the table's start and
// its directory.
bool EntriesFit(const Table& table) {
  const std::uint64_t dataSize = table.directoryOffset - table.tableOffset;
  return std::all_of(table.entries.begin(), table.entries.end(), [&](const Entry& e) {
    return static_cast<std::uint64_t>(e.offset) + e.size <= dataSize;
  });
}

Table Damaged() { return Table{TableState::Damaged, 0, 0, {}}; }

// Finds the table at the end of the file. Sizes read from the file are
// checked against the file's size before anything is allocated for them.
Table ScanTable(std::istream& in) {
  const std::uint64_t fileSize = FileSizeOf(in);
  std::array<std::uint8_t, kTrailerSize> trailer{};
  if (fileSize < kTrailerSize || !ReadAt(in, fileSize - kTrailerSize, trailer.data(), kTrailerSize)) return {};
  if (std::memcmp(trailer.data(), kMagic.data(), kMagic.size()) != 0) return {};

  Table table;
  const std::uint32_t layout = GetU32(&trailer[8]);
  const std::uint32_t count = GetU32(&trailer[12]);
  table.tableOffset = GetU64(&trailer[16]);
  table.directoryOffset = GetU64(&trailer[24]);
  if (layout != kLayoutVersion || count > kMaxResourceEntries) return Damaged();
  const std::uint64_t directorySize = count * kEntrySize;
  if (fileSize - kTrailerSize < directorySize || table.directoryOffset != fileSize - kTrailerSize - directorySize ||
      table.tableOffset > table.directoryOffset) {
    return Damaged();
  }
  std::vector<std::uint8_t> directory(directorySize);
  if (!ReadAt(in, table.directoryOffset, directory.data(), directorySize)) return Damaged();
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::uint8_t* p = directory.data() + i * kEntrySize;
    table.entries.push_back({GetU32(p), GetU32(p + 4), GetU32(p + 8), GetU32(p + 12)});
  }
  if (!EntriesFit(table)) return Damaged();
  table.state = TableState::Valid;
  return table;
}

ResourceRead Failed(ResourceStep step) { return ResourceRead{{}, step}; }

// Opens the file into in and finds its table; Unreadable when the file is
// no regular file or cannot be opened.
Table OpenTable(const std::string& path, std::ifstream& in) {
  std::error_code ec;
  const std::filesystem::path file = Utf8Path(path);
  if (!std::filesystem::is_regular_file(file, ec)) return Table{TableState::Unreadable, 0, 0, {}};
  in.open(file, std::ios::binary);
  if (!in) return Table{TableState::Unreadable, 0, 0, {}};
  return ScanTable(in);
}

// The entry's bytes, whole and passing their check.
bool ReadEntry(std::istream& in, const Table& table, const Entry& entry, std::vector<std::uint8_t>& bytes) {
  bytes.resize(entry.size);
  return ReadAt(in, table.tableOffset + entry.offset, bytes.data(), entry.size) && Fnv1a(bytes) == entry.check;
}

// The first count bytes of in, copied into out.
bool CopyPrefix(std::istream& in, std::uint64_t count, ReplacementFile& out) {
  std::vector<char> buffer(64 * 1024);
  in.clear();
  in.seekg(0, std::ios::beg);
  while (count > 0) {
    const std::size_t chunk = static_cast<std::size_t>(std::min<std::uint64_t>(count, buffer.size()));
    in.read(buffer.data(), static_cast<std::streamsize>(chunk));
    if (static_cast<std::size_t>(in.gcount()) != chunk || !out.Write(buffer.data(), chunk)) return false;
    count -= chunk;
  }
  return true;
}

bool Fail(std::string* error, std::string reason) {
  if (error) *error = std::move(reason);
  return false;
}

// Data, directory and trailer of a new table that starts at tableOffset.
std::vector<std::uint8_t> BuildTable(const ResourceMap& resources, std::uint64_t tableOffset) {
  std::vector<std::uint8_t> data;
  std::vector<std::uint8_t> directory;
  for (const auto& [id, bytes] : resources) {
    PutU32(directory, id);
    PutU32(directory, static_cast<std::uint32_t>(bytes.size()));
    PutU32(directory, Fnv1a(bytes));
    PutU32(directory, static_cast<std::uint32_t>(data.size()));
    data.insert(data.end(), bytes.begin(), bytes.end());
  }
  std::vector<std::uint8_t> out = std::move(data);
  const std::uint64_t directoryOffset = tableOffset + out.size();
  out.insert(out.end(), directory.begin(), directory.end());
  out.insert(out.end(), kMagic.begin(), kMagic.end());
  PutU32(out, kLayoutVersion);
  PutU32(out, static_cast<std::uint32_t>(resources.size()));
  PutU64(out, tableOffset);
  PutU64(out, directoryOffset);
  return out;
}

bool FitsTheLayout(const ResourceMap& resources) {
  if (resources.size() > kMaxResourceEntries) return false;
  std::uint64_t total = 0;
  for (const auto& entry : resources) total += entry.second.size();
  return total <= std::numeric_limits<std::uint32_t>::max();
}

}  // namespace

std::string ProgramFilePath(const std::string& programDirectory) {
  return programDirectory + kPathSeparator + kProgramFileName;
}

ResourceRead ReadAppendedResource(const std::string& path, std::uint32_t id) {
  std::ifstream in;
  const Table table = OpenTable(path, in);
  if (table.state == TableState::Unreadable) return Failed(ResourceStep::LoadLibrary);
  if (table.state == TableState::Absent) return Failed(ResourceStep::FindResource);
  if (table.state == TableState::Damaged) return Failed(ResourceStep::LoadResource);
  const auto entry = std::find_if(table.entries.begin(), table.entries.end(), [&](const Entry& e) { return e.id == id; });
  if (entry == table.entries.end()) return Failed(ResourceStep::FindResource);
  ResourceRead read;
  if (!ReadEntry(in, table, *entry, read.bytes)) return Failed(ResourceStep::LockResource);
  return read;
}

ResourceTableRead ReadAppendedResources(const std::string& path) {
  std::ifstream in;
  const Table table = OpenTable(path, in);
  if (table.state == TableState::Unreadable) return {{}, ResourceStep::LoadLibrary};
  if (table.state == TableState::Absent) return {{}, ResourceStep::FindResource};
  if (table.state == TableState::Damaged) return {{}, ResourceStep::LoadResource};
  ResourceTableRead read;
  for (const Entry& entry : table.entries) {
    if (!ReadEntry(in, table, entry, read.resources[entry.id])) return {{}, ResourceStep::LockResource};
  }
  return read;
}

bool AppendResources(const std::string& path, const ResourceMap& resources, std::string* error) {
  if (!FitsTheLayout(resources)) return Fail(error, "too many or too large resources");
  std::ifstream in;
  const Table existing = OpenTable(path, in);
  if (existing.state == TableState::Unreadable) return Fail(error, "cannot open " + path);
  if (existing.state == TableState::Damaged) return Fail(error, path + " carries a damaged resource table");
  const std::uint64_t cut = existing.state == TableState::Valid ? existing.tableOffset : FileSizeOf(in);

  // The program part is copied into a new file that takes the old one's
  // place only when whole: a failure leaves the program file as it was.
  ReplacementFile out(path);
  if (!CopyPrefix(in, cut, out)) return Fail(error, out.Error().empty() ? "cannot read " + path : out.Error());
  // Closed before the new file is renamed over it: Windows refuses to
  // replace a file that is still open.
  in.close();
  const std::vector<std::uint8_t> table = BuildTable(resources, cut);
  if (!out.Write(table.data(), table.size()) || !out.Commit()) return Fail(error, out.Error());
  return true;
}

#if !defined(_WIN32)
// The program file carries the appended table.
ResourceRead ReadProgramResource(const std::string& path, std::uint32_t id) { return ReadAppendedResource(path, id); }

ResourceTableRead ReadProgramResources(const std::string& path) { return ReadAppendedResources(path); }

bool WriteProgramResources(const std::string& path, const ResourceMap& resources, std::string* error) {
  return AppendResources(path, resources, error);
}
#endif

}  // namespace vantrell
