// Every text marked for translation has a finished translation in each .ts
// file, with the mnemonic letter of its source: lupdate is run over the
// sources into a copy of the file, so a text added or changed since the file
// was last brought up to date counts as unfinished.
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

namespace {

struct TsMessage {
  QString context, source, translation;
  bool finished = false;
};

std::vector<TsMessage> readTs(const QString& path) {
  QFile file(path);
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
  std::vector<TsMessage> messages;
  QXmlStreamReader xml(&file);
  QString context;
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    if (xml.name() == u"name") context = xml.readElementText();
    if (xml.name() == u"message") messages.push_back({context, {}, {}});
    if (xml.name() == u"source") messages.back().source = xml.readElementText();
    if (xml.name() == u"translation") {
      messages.back().finished = xml.attributes().value("type").isEmpty();
      messages.back().translation = xml.readElementText();
    }
  }
  EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  return messages;
}

// The letter after '&' ("&&" is a plain ampersand), lower case; none when there is none.
QChar mnemonic(const QString& text) {
  for (qsizetype i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '&') continue;
    if (text[i + 1] == '&') {
      ++i;
      continue;
    }
    return text[i + 1].toLower();
  }
  return {};
}

TEST(Translations, EveryMarkedTextIsTranslatedAndKeepsItsMnemonic) {
  for (const QString& ts : QString(GLAMORA_TS_FILES).split(';', Qt::SkipEmptyParts)) {
    SCOPED_TRACE(ts.toStdString());
    QTemporaryDir dir;
    const QString copy = dir.filePath("check.ts");
    ASSERT_TRUE(QFile::copy(ts, copy));
    QProcess lupdate;
    QStringList arguments = QString(GLAMORA_LUPDATE_OPTIONS).split(' ', Qt::SkipEmptyParts);
    arguments << QString("@") + GLAMORA_SOURCES_LIST << "-ts" << copy;
    lupdate.start(GLAMORA_LUPDATE, arguments);
    ASSERT_TRUE(lupdate.waitForFinished(120'000)) << "lupdate did not finish";
    ASSERT_EQ(lupdate.exitCode(), 0) << lupdate.readAllStandardError().toStdString();

    const std::vector<TsMessage> messages = readTs(copy);
    EXPECT_GT(messages.size(), 400u);
    for (const TsMessage& m : messages) {
      const std::string where = (m.context + ": " + m.source).toStdString();
      EXPECT_TRUE(m.finished && !m.translation.isEmpty()) << "not translated: " << where;
      EXPECT_EQ(mnemonic(m.translation), mnemonic(m.source))
          << "mnemonic changed: " << where << " -> " << m.translation.toStdString();
      static const QRegularExpression placeholder("%[1-9]");
      QStringList want, got;
      for (const auto& match : placeholder.globalMatch(m.source)) want << match.captured();
      for (const auto& match : placeholder.globalMatch(m.translation)) got << match.captured();
      want.sort();
      got.sort();
      EXPECT_EQ(want, got) << "placeholders differ: " << where << " -> " << m.translation.toStdString();
    }
  }
}

}  // namespace
