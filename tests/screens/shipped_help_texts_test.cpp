// The shipped how-to-play texts (data/Glamora.txt and each translation
// Glamora_<lang>.txt): every line fits the box as it opens, and a translation
// keeps the Japanese text's sections and the figures each one gives.
#include <QDir>
#include <QFile>
#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextLayout>
#include <set>
#include <string>
#include <vector>

#include "screen_testing.h"
#include "screens/help_screens.h"
#include "screens/how_to_play_screen.h"

namespace glamora {
namespace {

using screen_test::library;
using screen_test::part;

const QString kData = QStringLiteral(GLAMORA_DATA_DIR);

QString readText(const QString& name) {
  QFile file(kData + "/" + name);
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << qPrintable(name);
  return QString::fromUtf8(file.readAll());
}

QStringList translations() { return QDir(kData).entryList({"Glamora_*.txt"}, QDir::Files, QDir::Name); }

// The figures of two or more digits in each section (a "■" heading starts
// one), read in either width of digit: the Japanese text writes most of them
// full-width. Single digits are left out, as a translation may spell them.
std::vector<std::set<std::string>> figuresBySection(const QString& text) {
  std::vector<std::set<std::string>> sections(1);
  for (const QString& line : text.split('\n')) {
    if (line.startsWith(u'■')) {
      sections.emplace_back();
      continue;
    }
    QString figure;
    for (const QChar c : line + ' ') {
      if (c.isDigit()) {
        figure += QChar(u'0' + c.digitValue());
        continue;
      }
      if (figure.size() >= 2) sections.back().insert(figure.toStdString());
      figure.clear();
    }
  }
  return sections;
}

TEST(ShippedHelpTexts, ThereIsAtLeastTheEnglishTranslation) {
  EXPECT_TRUE(translations().contains("Glamora_en.txt")) << qPrintable(translations().join(' '));
}

TEST(ShippedHelpTexts, EveryLineFitsTheBoxWithoutWrapping) {
  HelpScreens screens{library()};
  HowToPlayScreen& screen = screens.howToPlay();
  auto* memo = part<QPlainTextEdit>(screen, "Memo1");
  ASSERT_NE(memo, nullptr);
  screen.show();
  const QStringList names = translations() << "Glamora.txt";
  for (const QString& name : names) {
    SCOPED_TRACE(name.toStdString());
    screen.setText(readText(name));
    // The box lays out only what it shows; each block is laid out here.
    auto* layout = qobject_cast<QPlainTextDocumentLayout*>(memo->document()->documentLayout());
    ASSERT_NE(layout, nullptr);
    int blocks = 0;
    for (QTextBlock block = memo->document()->firstBlock(); block.isValid(); block = block.next(), ++blocks) {
      layout->ensureBlockLayout(block);
      EXPECT_LE(block.layout()->lineCount(), 1)
          << "line " << block.blockNumber() + 1 << ": " << block.text().toStdString();
    }
    EXPECT_GT(blocks, 100);
  }
  screen.close();
}

TEST(ShippedHelpTexts, TranslationsKeepTheSectionsAndFiguresOfTheJapanese) {
  const std::vector<std::set<std::string>> japanese = figuresBySection(readText("Glamora.txt"));
  ASSERT_GE(japanese.size(), 10u);
  for (const QString& name : translations()) {
    SCOPED_TRACE(name.toStdString());
    const std::vector<std::set<std::string>> translated = figuresBySection(readText(name));
    ASSERT_EQ(translated.size(), japanese.size());
    for (std::size_t s = 0; s < japanese.size(); ++s) EXPECT_EQ(translated[s], japanese[s]) << "section " << s;
  }
}

}  // namespace
}  // namespace glamora
