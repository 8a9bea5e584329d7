#pragma once

#include <QString>
#include <string>

namespace orvane {

// The file URI of absolute `path`: "file://" and the path's bytes, percent-encoded but for
// unreserved characters and "/".
QString fileUri(const std::string& path);

// The local path a file URI names ("file:///..." or "file://localhost/...", percent-decoded
// to bytes), or an absolute path given as it is; empty for anything else.
std::string pathOfFileUri(const QString& uri);

} // namespace orvane
