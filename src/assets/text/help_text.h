// The how-to-play text file: read whole and decoded, with no widget involved.
#pragma once

#include <QByteArray>
#include <QString>
#include <string>

namespace glamora {

// The file's bytes as text: UTF-8, or Shift_JIS for older files; bytes that
// are neither are shown as replacement characters rather than refused.
QString decodeHelpText(const QByteArray& bytes);

// Reads and decodes the file. Throws GameError when it is missing, not a
// plain file (a named pipe would block the start-up forever), unreasonably
// large, or unreadable.
QString readHelpText(const std::string& path);

}  // namespace glamora
