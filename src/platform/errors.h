#pragma once

namespace platform {

// The API's error codes that callers distinguish (GetLastError and the registry's results).
inline constexpr long kErrorSuccess = 0;
inline constexpr long kErrorFileNotFound = 2;
inline constexpr long kErrorPathNotFound = 3;
inline constexpr long kErrorAccessDenied = 5;
inline constexpr long kErrorInvalidHandle = 6;
inline constexpr long kErrorNotSameDevice = 17;
inline constexpr long kErrorNotReady = 21;
inline constexpr long kErrorReadFault = 30;
inline constexpr long kErrorSharingViolation = 32;
inline constexpr long kErrorBadNetPath = 53;
inline constexpr long kErrorFileExists = 80;
inline constexpr long kErrorInvalidParameter = 87;
inline constexpr long kErrorDiskFull = 112;
inline constexpr long kErrorInvalidName = 123;
inline constexpr long kErrorDirNotEmpty = 145;
inline constexpr long kErrorAlreadyExists = 183;
inline constexpr long kErrorMoreData = 234;
inline constexpr long kErrorNoMoreItems = 259;
// RemoveDirectoryA on a file.
inline constexpr long kErrorDirectory = 267;
// A registry handle whose key has been deleted since it was opened.
inline constexpr long kErrorKeyDeleted = 1018;

}  // namespace platform
