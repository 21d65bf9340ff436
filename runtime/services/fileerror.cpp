#include "runtime/services/fileerror.h"

#include <cerrno>
#include <cstring>

namespace rt {

RuntimeError FileError(int e) {
    int number = err::PathFileAccess;
    switch (e) {
    case ENOENT: number = err::FileNotFound; break;
    case ENOTDIR: number = err::PathNotFound; break;
    case EACCES:
    case EPERM:
    case EROFS: number = err::PermissionDenied; break;
    case ENOSPC:
    case EDQUOT:
    case EFBIG: number = err::DiskFull; break;
    case EIO: number = err::DeviceIO; break;
    case ENOMEM: number = err::OutOfMemory; break;
    case EEXIST: number = err::FileExists; break;
    default: break;
    }
    return RuntimeError(number, std::strerror(e));
}

} // namespace rt
