#include "runtime/services/filesystemobject.h"

#include "runtime/error.h"

#include <QFileInfo>

namespace rt {

std::unique_ptr<TextStream> FileSystemObject::CreateTextFile(const QString& path, bool overwrite, bool unicode) {
    if (unicode)
        throw RuntimeError(err::InvalidCall, "only 8-bit text files are written");
    if (!overwrite && QFileInfo::exists(path))
        throw RuntimeError(err::FileExists, "the file already exists");
    return std::make_unique<TextStream>(path);
}

} // namespace rt
