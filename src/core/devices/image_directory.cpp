#include "core/devices/image_directory.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "core/platform/utf8_path.h"

namespace vantrell {
namespace {

bool IsImageName(const std::string& name) {
  static constexpr std::string_view kExtension = ".bin";
  if (name.size() < kExtension.size()) return false;
  return std::equal(kExtension.begin(), kExtension.end(), name.end() - kExtension.size(), [](char want, char c) {
    return want == std::tolower(static_cast<unsigned char>(c));
  });
}

bool IsImageFile(const std::filesystem::directory_entry& entry) {
  std::error_code ec;
  return entry.is_regular_file(ec) && IsImageName(PathUtf8(entry.path().filename()));
}

}  // namespace

ImageDirectoryListing ListImageDirectory(const std::string& directory) {
  ImageDirectoryListing listing;
  std::error_code ec;
  std::filesystem::directory_iterator it(Utf8Path(directory), ec);
  if (ec) {
    listing.openError = ec;
    return listing;
  }
  for (const std::filesystem::directory_iterator end; it != end;) {
    if (IsImageFile(*it)) listing.names.push_back(PathUtf8(it->path().filename()));
    it.increment(ec);
    if (ec) {
      listing.nextError = ec;
      break;
    }
  }
  std::sort(listing.names.begin(), listing.names.end());
  // Without a single image there is no first match: the listing never started.
  if (listing.names.empty()) {
    listing.openError = listing.nextError ? listing.nextError : std::make_error_code(std::errc::no_such_file_or_directory);
    listing.nextError.clear();
  }
  return listing;
}

std::string NameWithoutExtension(const std::string& fileName) {
  const std::size_t dot = fileName.find_last_of('.');
  return dot == std::string::npos ? fileName : fileName.substr(0, dot);
}

}  // namespace vantrell
