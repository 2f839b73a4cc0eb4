#include "net_texts.h"

#include <QRegularExpression>

namespace glamora::netgame {

QString refusalMessage(net::Refusal why) {
  switch (why) {
    case net::Refusal::Protocol: return "相手の通信方式が違います（ゲームのバージョンを合わせてください）";
    case net::Refusal::GameVersion: return "相手のバージョンが違います";
    case net::Refusal::Signature: return "相手のゲームのルールが違います（同じバージョンにしてください）";
    case net::Refusal::Speed: return "相手のゲームの速さが違います";
    case net::Refusal::Token: return "相手の応答が正しくありません";
    case net::Refusal::Busy: return "相手は対戦中です";
    case net::Refusal::Key: return "合言葉が違います";
  }
  return "相手に断られました";
}

QString joinFailure(const netio::EnetConnection& connection, const std::string& joinTarget) {
  const QString target = QString::fromStdString(joinTarget);
  switch (connection.problem()) {
    case netio::EnetConnection::Problem::Refused:
      return QString("%1 に断られました: %2。")
          .arg(target, connection.refusal() ? refusalMessage(*connection.refusal()) : QString("理由はわかりません"));
    case netio::EnetConnection::Problem::NoAnswer:
      return QString(
                 "%1 から 5 秒たっても応答がありません。相手が「対戦相手を待つ」を開いているか、"
                 "アドレスとポート、ファイアウォールを確かめてください。")
          .arg(target);
    case netio::EnetConnection::Problem::Address: return QString("%1 には接続できません。").arg(target);
    default: return QString("%1 に接続できませんでした。").arg(target);
  }
}

EndMessage endMessage(const std::string& peerError, bool finished, bool host, const std::string& sessionFile) {
  if (finished) return {host ? QString() : QString("ホストが対戦を終えました。"), false};
  if (peerError == "this side left the battle") return {};
  if (peerError.starts_with("desync at tick ")) {
    QString text = QString("相手と対戦の状態が食い違いました（tick %1）。対戦を終えました。")
                       .arg(QString::fromStdString(peerError.substr(15)));
    if (!sessionFile.empty()) text += "\n記録: " + QString::fromStdString(sessionFile);
    return {text, true};
  }
  if (constexpr std::string_view stopped = "this machine was stopped for "; peerError.starts_with(stopped)) {
    const QString seconds = QString::fromStdString(peerError.substr(stopped.size())).remove(" s");
    return {QString("この機械が %1 秒止まっていたため、対戦を終えました。").arg(seconds), false};
  }
  if (peerError == "the lobby stopped relaying the battle") {
    return {"ロビーが対戦の中継をやめました。対戦を終えました。", false};
  }
  if (peerError.find("silent") != std::string::npos) {
    return {"相手から 5 秒間応答がありません。対戦を終えました。", false};
  }
  return {"相手が対戦をやめました。", false};
}

std::optional<TypedAddress> readTypedAddress(const QString& typed, quint16 defaultPort, QString& problem) {
  const QString text = typed.trimmed();
  static const QRegularExpression form("^([A-Za-z0-9.\\-]+)(?::([0-9]{1,5}))?$");
  const QRegularExpressionMatch m = form.match(text);
  if (text.isEmpty()) {
    problem = "相手のアドレスを入れてください。";
    return std::nullopt;
  }
  if (!m.hasMatch()) {
    problem = "アドレスは「名前」か「192.168.1.5」の形で、ポート番号は「:47291」のように続けます。";
    return std::nullopt;
  }
  TypedAddress a{m.captured(1), defaultPort};
  if (m.hasCaptured(2)) {
    const int port = m.captured(2).toInt();
    if (port < 1 || port > 65535) {
      problem = "ポート番号は 1 から 65535 までです。";
      return std::nullopt;
    }
    a.port = static_cast<quint16>(port);
  }
  return a;
}

}  // namespace glamora::netgame
