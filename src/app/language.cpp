#include "app/language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

#include "screens/live_text.h"

namespace glamora {

namespace {

Language current = Language::Japanese;
// Kept installed while their language is in use.
std::unique_ptr<QTranslator> gameTranslator;
std::unique_ptr<QTranslator> qtTranslator;

void replace(std::unique_ptr<QTranslator>& slot, std::unique_ptr<QTranslator> next) {
  if (slot) QCoreApplication::removeTranslator(slot.get());
  slot = std::move(next);
  if (slot) QCoreApplication::installTranslator(slot.get());
}

}  // namespace

std::optional<Language> languageOfCode(std::string_view code) {
  for (const LanguageName& name : kLanguages) {
    if (code == name.code) return name.language;
  }
  return std::nullopt;
}

const char* languageCode(Language language) {
  for (const LanguageName& name : kLanguages) {
    if (name.language == language) return name.code;
  }
  return kLanguages[0].code;
}

bool useLanguage(Language language) {
  const QString code = QLatin1String(languageCode(language));
  // Japanese texts need no translation of the game's; Qt's own texts are
  // English unless a translation of them is installed.
  std::unique_ptr<QTranslator> game;
  if (language != Language::Japanese) {
    game = std::make_unique<QTranslator>();
    if (!game->load(QStringLiteral(":/i18n/glamora_%1.qm").arg(code))) return false;
  }
  std::unique_ptr<QTranslator> qt;
  if (language != Language::English) {
    qt = std::make_unique<QTranslator>();
    if (!qt->load(QStringLiteral("qtbase_%1").arg(code), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
      qt.reset();  // Qt's translations are not installed: its texts stay English
  }
  current = language;
  replace(qtTranslator, std::move(qt));
  replace(gameTranslator, std::move(game));
  retranslateBoundTexts();
  return true;
}

Language currentLanguage() { return current; }

void dropTranslations() {
  replace(qtTranslator, nullptr);
  replace(gameTranslator, nullptr);
  current = Language::Japanese;
  retranslateBoundTexts();
}

}  // namespace glamora
