#pragma once
// Whether the tests run under Wine rather than Windows: a few system
// services Wine leaves out (deleting a resource, console control events
// without a console) are checked only on Windows itself.

namespace vantrell::test {

bool UnderWine();

}  // namespace vantrell::test
