#include "core/program/run/stage_weights.h"

namespace vantrell {

StageWeights StageWeightsFor(const RunOptions& options) {
  const int key = (options.erase ? 4 : 0) | (options.program ? 2 : 0) | (options.verify ? 1 : 0);
  switch (key) {
    case 7: return {10, 70, 20};
    case 6: return {20, 80, 0};
    case 5: return {40, 0, 60};
    case 4: return {100, 0, 0};
    case 3: return {0, 75, 25};
    case 2: return {0, 100, 0};
    case 1: return {0, 0, 100};
    default: return {0, 0, 0};
  }
}

}  // namespace vantrell
