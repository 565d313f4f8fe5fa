#pragma once
// Keeps the GUI thread dispatching until a condition holds or time runs out.
#include <QElapsedTimer>
#include <QTest>

namespace vantrell::test {

template <typename Condition>
bool WaitUntil(Condition condition, int timeoutMs = 10000) {
  QElapsedTimer timer;
  timer.start();
  while (!condition()) {
    if (timer.elapsed() > timeoutMs) return false;
    QTest::qWait(5);
  }
  return true;
}

}  // namespace vantrell::test
