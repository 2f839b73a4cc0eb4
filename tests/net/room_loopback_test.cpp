// The lobby and two glamora-sim room peers as separate programs on loopback:
// the host registers a public room and says its code first, the list shows
// the room, the joiner types the code its own way, and both play a round at
// ten times real speed and agree, each saying which path it took. Every
// program ends by itself (the host waits at most --wait seconds); the lobby
// is stopped at the end.
#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "child_program.h"

namespace glamora {
namespace {

using test::Ended;
using test::Program;

TEST(RoomLoopback, TwoPeersMeetByARoomCodeListedPubliclyAndAgree) {
  Program lobby(GLAMORA_LOBBY_PROGRAM, {"--port", "0", "--bind", "127.0.0.1"});
  const std::string ready = lobby.readLine();
  ASSERT_FALSE(ready.empty());
  const std::string at = "127.0.0.1:" + std::to_string(nlohmann::json::parse(ready)["port"].get<int>());

  Program host(GLAMORA_SIM_PROGRAM, {"--net-host-room", at, "--public", "--name", "Salon rouge", "--cpu", "hard",
                                     "--rounds", "1", "--seed", "3", "--speed", "10", "--wait", "30"});
  const std::string room = nlohmann::json::parse(host.readLine())["room"];
  ASSERT_EQ(room.size(), 6u);

  Program list(GLAMORA_SIM_PROGRAM, {"--lobby-list", at});
  const Ended listed = list.finish();
  EXPECT_EQ(listed.status, 0);
  EXPECT_EQ(
      listed.line(),
      (nlohmann::json{
          {"room", room}, {"name", "Salon rouge"}, {"version", "1.0"}, {"waitingMs", listed.line()["waitingMs"]}}));
  EXPECT_EQ(listed.out.find('\n'), listed.out.size() - 1);  // the only room

  std::string typed = room.substr(0, 3) + " - " + room.substr(3);
  for (char& c : typed) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  Program joiner(GLAMORA_SIM_PROGRAM, {"--net-join-room", at, typed, "--cpu", "hard", "--seed", "4", "--speed", "10"});
  const Ended joined = joiner.finish();
  const Ended hosted = host.finish();
  ASSERT_EQ(joined.status, 0) << joined.out;
  ASSERT_EQ(hosted.status, 0) << hosted.out;
  const nlohmann::json h = hosted.line(), j = joined.line();
  EXPECT_EQ(h["net"], "host");
  EXPECT_EQ(j["net"], "join");
  for (const char* key : {"rounds", "wins", "draws", "hash", "simulatedMs", "path"}) EXPECT_EQ(h[key], j[key]) << key;
  EXPECT_EQ(h["rounds"], 1);
  EXPECT_TRUE(h["path"] == "direct" || h["path"] == "relay") << h;

  // The room has ended: the list is empty, and its code unknown.
  EXPECT_EQ(Program(GLAMORA_SIM_PROGRAM, {"--lobby-list", at}).finish().out, "");
  Program late(GLAMORA_SIM_PROGRAM, {"--net-join-room", at, room, "--cpu", "easy"});
  const Ended refused = late.finish();
  EXPECT_EQ(refused.status, 3);
  EXPECT_EQ(refused.line()["error"], "no such room");
  EXPECT_EQ(lobby.stop(), 0);
}

}  // namespace
}  // namespace glamora
