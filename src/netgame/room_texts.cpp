#include "room_texts.h"

#include "lobby/lobby_wire.h"
#include "net_texts.h"
#include "screens/live_text.h"

namespace glamora::netgame {

namespace {

constexpr QChar kLeftOut[] = {u'0', u'1', u'O', u'I'};
const QString kDropped = QStringLiteral(" -‐ー");  // spaces and hyphens (after NFKC)

bool inAlphabet(QChar c) {
  return c.unicode() < 128 && lobby::kCodeAlphabet.find(static_cast<char>(c.unicode())) != std::string_view::npos;
}

Message refusedBy(lobby::Refusal why, bool host, const QString& code) {
  const Message room = fixedText(code);
  switch (why) {
    case lobby::Refusal::Name: return Message("RoomTexts", "この機械の名前では、ロビーに部屋を作れません。");
    case lobby::Refusal::Version:
      return Message("RoomTexts", "部屋 %1 のゲームとバージョンが違います。同じバージョンにしてください。").arg(room);
    case lobby::Refusal::Signature:
      return Message("RoomTexts", "部屋 %1 のゲームとルールが違います。同じバージョンにしてください。").arg(room);
    case lobby::Refusal::UnknownRoom:
      return host ? Message("RoomTexts", "ロビーから部屋がなくなりました。「作り直す」で新しい部屋を作ってください。")
                  : Message("RoomTexts", "部屋 %1 はありません。コードを確かめてください。").arg(room);
    case lobby::Refusal::RoomBusy:
      return Message("RoomTexts", "部屋 %1 には、もうほかの人が参加しています。").arg(room);
    case lobby::Refusal::Full:
      return Message("RoomTexts", "ロビーの部屋がいっぱいです。しばらくしてからもう一度作ってください。");
    case lobby::Refusal::RelayFull:
      return Message("RoomTexts",
                     "ロビーの中継がいっぱいで、ホストにつながりません。しばらくしてからもう一度試してください。");
    case lobby::Refusal::TooManyGuesses:
      return Message(
          "RoomTexts",
          "ない部屋のコードが続いたため、ロビーが受け付けません。1 分ほど待ってからもう一度試してください。");
  }
  return Message("RoomTexts", "ロビーに断られました。");
}

}  // namespace

TypedCode readTypedCode(const QString& typed) {
  TypedCode read;
  bool leftOut = false, foreign = false;
  // Full-width letters and digits are read as the usual ones.
  for (const QChar c : typed.normalized(QString::NormalizationForm_KC).toUpper()) {
    if (kDropped.contains(c)) continue;
    if (std::find(std::begin(kLeftOut), std::end(kLeftOut), c) != std::end(kLeftOut)) leftOut = true;
    else if (!inAlphabet(c)) foreign = true;
    else if (read.code.size() < static_cast<qsizetype>(lobby::kCodeLength)) read.code += c;
  }
  if (leftOut) read.problem = Message("RoomTexts", "0、1、O、I はコードに使われていません（見分けにくいため）。");
  else if (foreign) read.problem = Message("RoomTexts", "コードは英字と数字だけです。");
  return read;
}

Message codeProblem(const QString& code) {
  if (code.isEmpty()) return Message("RoomTexts", "部屋のコードを入れてください。");
  if (code.size() != static_cast<qsizetype>(lobby::kCodeLength))
    return Message("RoomTexts", "コードは 6 文字です（いまは %1 文字）。").arg(Message::fixed(code.size()));
  return {};
}

Message roomFailure(const netio::RoomLink& link, bool host, const QString& lobby, const QString& code) {
  using Problem = netio::Rendezvous::Problem;
  switch (link.meetingProblem()) {
    case Problem::Unreachable:
      return Message("RoomTexts",
                     "ロビー（%1）に届きません。ロビーの設定のアドレスとポートを確かめるか、"
                     "しばらくしてからもう一度試してください。")
          .arg(fixedText(lobby));
    case Problem::LobbySilent:
      return Message("RoomTexts", "ロビー（%1）が応答しなくなりました。部屋は閉じられました。").arg(fixedText(lobby));
    case Problem::PeerUnreachable:
      return Message("RoomTexts", "ホストに届きません（ロビーの中継も使えませんでした）。");
    case Problem::Refused: return refusedBy(link.refusal().value_or(lobby::Refusal::UnknownRoom), host, code);
    case Problem::None: break;
  }
  const netio::EnetConnection& c = link.connection();
  switch (c.problem()) {
    case netio::EnetConnection::Problem::Port: return Message("RoomTexts", "通信に使う UDP のポートを開けません。");
    case netio::EnetConnection::Problem::Refused:
      if (c.refusal() == net::Refusal::Key)
        return Message("RoomTexts", "合言葉が違います。ホストが決めた合言葉を入れてください。");
      return Message("RoomTexts", "相手に断られました: %1。")
          .arg(c.refusal() ? refusalMessage(*c.refusal()) : Message("RoomTexts", "理由はわかりません"));
    case netio::EnetConnection::Problem::NoAnswer:
      return Message("RoomTexts", "ホストから応答がありません。もう一度参加してみてください。");
    default: break;
  }
  return host ? Message("RoomTexts", "部屋を作れませんでした。")
              : Message("RoomTexts", "部屋 %1 に参加できませんでした。").arg(fixedText(code));
}

Message waitedText(std::uint32_t waitingMs) {
  const std::uint32_t seconds = waitingMs / 1000;
  if (seconds < 60) return Message("RoomTexts", "%1 秒").arg(Message::fixed(seconds));
  if (seconds < 3600) return Message("RoomTexts", "%1 分").arg(Message::fixed(seconds / 60));
  return Message("RoomTexts", "%1 時間 %2 分")
      .arg(Message::fixed(seconds / 3600))
      .arg(Message::fixed(seconds / 60 % 60));
}

Message pathCaption(const std::string& path) {
  if (path == "direct") return Message("RoomTexts", "直接");
  if (path == "relay") return Message("RoomTexts", "中継 (ロビー経由)");
  return {};
}

}  // namespace glamora::netgame
