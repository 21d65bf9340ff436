#pragma once
// The scripting runtime's file object, as far as the program uses it.
#include "runtime/services/textstream.h"

#include <memory>

namespace rt {

class FileSystemObject {
public:
    // A stream on a new, empty file; with overwrite an existing file of that
    // name is replaced when the stream closes. Files are written byte for
    // byte, so `unicode` only says that the caller's text is not UTF-16.
    // Throws RuntimeError when the file cannot be created.
    std::unique_ptr<TextStream> CreateTextFile(const QString& path, bool overwrite = true, bool unicode = false);
};

} // namespace rt
