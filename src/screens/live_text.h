// Texts on the screens in the language the player chose. Every text is written
// in the game's own language (Japanese) and filed under a context; Qt's
// translators give the chosen language's words for it. A text bound to a
// widget or an action is shown again in the new language whenever the
// language changes, on every open window, without the window doing anything.
#pragma once

#include <QObject>
#include <QString>

#include "engine/message.h"

namespace glamora {

// The message in the current language: its template and the arguments that
// are messages are translated, fixed arguments stay as they are.
QString translated(const Message& message);

// A fixed argument from a Qt string.
inline Message fixedText(const QString& text) { return Message::fixed(text.toStdString()); }

// A widget with this property set is sized to its text again after its bound
// text changes (a label laid out with no width).
inline constexpr const char* kFitsTextProperty = "glamoraFitsText";

// Sets `property` of `object` ("text", "toolTip", "windowTitle", "title",
// "placeholderText", ...) to the message in the current language, and again
// after each language change until the object goes or the property is bound
// to another message.
void bindText(QObject* object, Message text, const char* property = "text");
// The object, with its text bound: `bound(new QLabel(parent), Message(...))`.
template <typename T>
T* bound(T* object, Message text, const char* property = "text") {
  bindText(object, std::move(text), property);
  return object;
}
// Ends the binding of `property`, leaving the text shown as it is.
void unbindText(QObject* object, const char* property = "text");

// The message bound to `property` of `object`, or none.
const Message* boundText(const QObject* object, const char* property = "text");

// Shows every bound text again in the current language: called by whoever
// installs or removes a translator, before the windows hear of the change.
void retranslateBoundTexts();

}  // namespace glamora
