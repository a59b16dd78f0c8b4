#include "scan/stages.h"

namespace scan {

// The file and folder definitions are not matched yet: these stages find nothing.
void ScanFileDefinitions(ScanContext&) {}
void ScanDirectoryDefinitions(ScanContext&) {}

}  // namespace scan
