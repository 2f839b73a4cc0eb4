#include "net_texts.h"

#include <QRegularExpression>

#include "screens/live_text.h"

namespace glamora::netgame {

Message refusalMessage(net::Refusal why) {
  switch (why) {
    case net::Refusal::Protocol:
      return Message("NetTexts", "相手の通信方式が違います（ゲームのバージョンを合わせてください）");
    case net::Refusal::GameVersion: return Message("NetTexts", "相手のバージョンが違います");
    case net::Refusal::Signature:
      return Message("NetTexts", "相手のゲームのルールが違います（同じバージョンにしてください）");
    case net::Refusal::Speed: return Message("NetTexts", "相手のゲームの速さが違います");
    case net::Refusal::Token: return Message("NetTexts", "相手の応答が正しくありません");
    case net::Refusal::Busy: return Message("NetTexts", "相手は対戦中です");
    case net::Refusal::Key: return Message("NetTexts", "合言葉が違います");
  }
  return Message("NetTexts", "相手に断られました");
}

Message joinFailure(const netio::EnetConnection& connection, const std::string& joinTarget) {
  const Message target = Message::fixed(joinTarget);
  switch (connection.problem()) {
    case netio::EnetConnection::Problem::Refused:
      return Message("NetTexts", "%1 に断られました: %2。")
          .arg(target)
          .arg(connection.refusal() ? refusalMessage(*connection.refusal())
                                    : Message("NetTexts", "理由はわかりません"));
    case netio::EnetConnection::Problem::NoAnswer:
      return Message("NetTexts",
                     "%1 から 5 秒たっても応答がありません。相手が「対戦相手を待つ」を開いているか、"
                     "アドレスとポート、ファイアウォールを確かめてください。")
          .arg(target);
    case netio::EnetConnection::Problem::Address: return Message("NetTexts", "%1 には接続できません。").arg(target);
    default: return Message("NetTexts", "%1 に接続できませんでした。").arg(target);
  }
}

EndMessage endMessage(const std::string& peerError, bool finished, bool host, const std::string& sessionFile) {
  if (finished) return {host ? Message() : Message("NetTexts", "ホストが対戦を終えました。"), false};
  if (peerError == "this side left the battle") return {};
  if (peerError.starts_with("desync at tick ")) {
    Message text = Message("NetTexts", "相手と対戦の状態が食い違いました（tick %1）。対戦を終えました。")
                       .arg(Message::fixed(peerError.substr(15)));
    if (!sessionFile.empty()) text = Message("NetTexts", "%1\n記録: %2").arg(text).arg(Message::fixed(sessionFile));
    return {text, true};
  }
  if (constexpr std::string_view stopped = "this machine was stopped for "; peerError.starts_with(stopped)) {
    const QString seconds = QString::fromStdString(peerError.substr(stopped.size())).remove(" s");
    return {Message("NetTexts", "この機械が %1 秒止まっていたため、対戦を終えました。").arg(fixedText(seconds)), false};
  }
  if (peerError == "the lobby stopped relaying the battle") {
    return {Message("NetTexts", "ロビーが対戦の中継をやめました。対戦を終えました。"), false};
  }
  if (peerError.find("silent") != std::string::npos) {
    return {Message("NetTexts", "相手から 5 秒間応答がありません。対戦を終えました。"), false};
  }
  return {Message("NetTexts", "相手が対戦をやめました。"), false};
}

std::optional<TypedAddress> readTypedAddress(const QString& typed, quint16 defaultPort, Message& problem) {
  const QString text = typed.trimmed();
  static const QRegularExpression form("^([A-Za-z0-9.\\-]+)(?::([0-9]{1,5}))?$");
  const QRegularExpressionMatch m = form.match(text);
  if (text.isEmpty()) {
    problem = Message("NetTexts", "相手のアドレスを入れてください。");
    return std::nullopt;
  }
  if (!m.hasMatch()) {
    problem =
        Message("NetTexts", "アドレスは「名前」か「192.168.1.5」の形で、ポート番号は「:47291」のように続けます。");
    return std::nullopt;
  }
  TypedAddress a{m.captured(1), defaultPort};
  if (m.hasCaptured(2)) {
    const int port = m.captured(2).toInt();
    if (port < 1 || port > 65535) {
      problem = Message("NetTexts", "ポート番号は 1 から 65535 までです。");
      return std::nullopt;
    }
    a.port = static_cast<quint16>(port);
  }
  return a;
}

}  // namespace glamora::netgame
