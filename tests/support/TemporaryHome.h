#pragma once

#include <string>

namespace testsupport
{
// The temporary folder that HOME points at for this test process.
const std::string& temporaryHome();

// Empties the temporary HOME, so each test starts without preset or size files.
void clearTemporaryHome();
} // namespace testsupport
