// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/serial/platform/PosixDevice.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

OpenStatus CheckPosixDevice(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0)
    return errno == EACCES ? OpenStatus::PermissionDenied : OpenStatus::NoSuchDevice;
  if (::access(path.c_str(), R_OK | W_OK) != 0) return OpenStatus::PermissionDenied;
  return OpenStatus::Ok;
}
