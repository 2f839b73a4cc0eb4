// What the room windows and the status line say about rooms: the code as it
// is typed, why making or joining a room failed, how long a room has waited
// and how the battle's packets go.
#pragma once

#include <QString>
#include <cstdint>
#include <string>

#include "engine/message.h"
#include "net/room_link.h"
#include "net_texts.h"

namespace glamora::netgame {

// A code box's text once read: upper case, without spaces and hyphens, and
// without what the code alphabet leaves out (0, 1, O and I) or never holds,
// at most six characters; `problem` says what was left out, if anything
// (saysNothing(): nothing was).
struct TypedCode {
  QString code;
  Message problem;
};
TypedCode readTypedCode(const QString& typed);
// What is wrong with a code to join with (saysNothing(): it is whole).
Message codeProblem(const QString& code);

// Why making (`host`) or joining room `code` failed, as a person reads it;
// `lobby` names the lobby ("lobby.example.org:47292").
Message roomFailure(const netio::RoomLink& link, bool host, const QString& lobby, const QString& code);

// "45 秒", "3 分", "1 時間 5 分".
Message waitedText(std::uint32_t waitingMs);

// How the battle's packets go: "直接", "中継 (ロビー経由)" (an empty text when
// unknown).
Message pathCaption(const std::string& path);

}  // namespace glamora::netgame
