// What the network battle's windows and messages say, in one place.
#pragma once

#include <QString>
#include <optional>
#include <string>

#include "engine/message.h"
#include "engine/net/packet.h"
#include "net/enet_connection.h"

namespace glamora::netgame {

// A message with nothing to say: the default one, or an empty fixed text.
inline bool saysNothing(const Message& message) { return message.isFixed() && message.fixedText().empty(); }

// Why a greeting was refused, as a person reads it: "相手のバージョンが違います" ...
Message refusalMessage(net::Refusal why);

// Why a connection to `target` ("192.0.2.7:47291") failed.
Message joinFailure(const netio::EnetConnection& connection, const std::string& target);

// How a network battle that ended without this side leaving is explained,
// from the peer's reason; saysNothing() when nothing needs saying.
struct EndMessage {
  Message text;
  bool error = false;  // the game's error box rather than a notice
};
EndMessage endMessage(const std::string& peerError, bool finished, bool host, const std::string& sessionFile);

// A host name or address typed into the join window, with an optional
// ":port"; the port is the default when none is given.
struct TypedAddress {
  QString host;
  quint16 port = 0;
};
// The address, or what is wrong with it in `problem`.
std::optional<TypedAddress> readTypedAddress(const QString& text, quint16 defaultPort, Message& problem);

}  // namespace glamora::netgame
