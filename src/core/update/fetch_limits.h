#pragma once
// The bounds of every fetch from the update server, so that a slow or
// hostile server can neither hold the program nor fill its memory or disk.
#include <cstddef>

#include "core/update/manifest.h"

namespace vantrell {

struct FetchLimits {
  long connectTimeoutMs = 5000;
  long transferTimeoutMs = 20000;  // the whole fetch, redirects included; 0 for no limit
  long stallTimeoutSeconds = 0;    // gives up when nothing arrives for this long; 0 for never
  long maxRedirects = 3;
  std::size_t maxBytes = kMaxManifestBytes;
};

}  // namespace vantrell
