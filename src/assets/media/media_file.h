// Reading a media file into memory, and telling which kind of file it is.
// Every failure throws GameError with a text that names the file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/message.h"

namespace glamora::media {

enum class MediaKind { Wave, Midi };

// The whole file. Missing, not a plain file, unreadable, empty or
// unreasonably large files throw.
std::vector<std::uint8_t> readMediaFile(const std::string& path);

// By the name's extension (.wav, .wave, .mid, .midi, .smf, any case); for other
// names by the first bytes. Throws when neither tells.
MediaKind mediaKindOf(const std::string& path, const std::vector<std::uint8_t>& bytes);

// "<what>: <path>" or "<what>: <path> (<detail>)", the form of every media error.
Message mediaErrorText(const Message& what, const std::string& path, const Message& detail = Message::fixed(""));

}  // namespace glamora::media
