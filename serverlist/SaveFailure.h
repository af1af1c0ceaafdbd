#pragma once

#include "framework/Reporter.h"

// Tells the operator that the server list did not reach the disk, why, and that the old file is whole.
void ReportSaveFailure(CReporter& reporter, const tagFileError& error);
