#pragma once

#include "scan/scan_context.h"

namespace scan {

// The stages of a scan, in the order a scan runs them. Each reads its definition file line by
// line and reports what it finds through the context.
void ScanCookies(ScanContext& context);
void ScanMemory(ScanContext& context);
void ScanRegistry(ScanContext& context);
void ScanFileDefinitions(ScanContext& context);
void ScanDirectoryDefinitions(ScanContext& context);

}  // namespace scan
