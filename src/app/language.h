// The language of the screens. Every text is written in Japanese, the game's
// own language; English is a translation. With nothing chosen the game is
// Japanese whatever the system's locale.
#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace glamora {

enum class Language { Japanese, English };

struct LanguageName {
  Language language;
  const char* code;     // as kept in the settings and given to --lang
  const char* caption;  // in its own language, so that a player finds it in any
};
inline constexpr std::array<LanguageName, 2> kLanguages{{
    {Language::Japanese, "ja", "日本語"},
    {Language::English, "en", "English"},
}};

std::optional<Language> languageOfCode(std::string_view code);
const char* languageCode(Language language);

// Installs the translators of `language` (the game's own and Qt's for its
// standard buttons and menus); every open window shows its texts again at once.
// False when a translation could not be loaded; the screens then keep the
// texts they had.
bool useLanguage(Language language);
Language currentLanguage();
// Removes every translator: the texts as written, Qt's own in English.
void dropTranslations();

}  // namespace glamora
