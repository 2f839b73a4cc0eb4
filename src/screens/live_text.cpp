#include "screens/live_text.h"

#include <QCoreApplication>
#include <QHash>
#include <QVariant>
#include <QWidget>

#include <vector>

namespace glamora {

namespace {

QString fillArguments(const QString& pattern, const QStringList& args) {
  QString out;
  out.reserve(pattern.size());
  for (qsizetype i = 0; i < pattern.size(); ++i) {
    const QChar next = i + 1 < pattern.size() ? pattern[i + 1] : QChar();
    const qsizetype index = next.unicode() - u'1';
    if (pattern[i] == u'%' && next >= u'1' && next <= u'9' && index < args.size()) {
      out += args[index];
      ++i;
    } else {
      out += pattern[i];
    }
  }
  return out;
}

struct Binding {
  QByteArray property;
  Message text;
};

// The bound texts of every object.
class BoundTexts final : public QObject {
 public:
  BoundTexts() : QObject(QCoreApplication::instance()) {}

  static BoundTexts& instance() {
    static BoundTexts* texts = new BoundTexts;  // owned by the application
    return *texts;
  }

  void bind(QObject* object, const char* property, Message text) {
    auto found = bindings_.find(object);
    if (found == bindings_.end()) {
      found = bindings_.insert(object, {});
      connect(object, &QObject::destroyed, this, [this, object] { bindings_.remove(object); });
    }
    for (Binding& b : *found) {
      if (b.property == property) {
        b.text = std::move(text);
        return apply(object, b);
      }
    }
    found->push_back({property, std::move(text)});
    apply(object, found->back());
  }

  void unbind(QObject* object, const char* property) {
    auto found = bindings_.find(object);
    if (found == bindings_.end()) return;
    std::erase_if(*found, [&](const Binding& b) { return b.property == property; });
  }

  const Message* find(const QObject* object, const char* property) const {
    const auto found = bindings_.constFind(const_cast<QObject*>(object));
    if (found == bindings_.constEnd()) return nullptr;
    for (const Binding& b : *found)
      if (b.property == property) return &b.text;
    return nullptr;
  }

  void applyAll() {
    for (auto it = bindings_.begin(); it != bindings_.end(); ++it)
      for (const Binding& b : *it) apply(it.key(), b);
  }

 private:
  static void apply(QObject* object, const Binding& b) {
    object->setProperty(b.property, translated(b.text));
    if (object->property(kFitsTextProperty).toBool()) static_cast<QWidget*>(object)->adjustSize();
  }

  QHash<QObject*, std::vector<Binding>> bindings_;
};

}  // namespace

QString translated(const Message& message) {
  if (message.isFixed()) return QString::fromStdString(message.fixedText());
  QStringList args;
  for (const Message& arg : message.args()) args.push_back(translated(arg));
  return fillArguments(QCoreApplication::translate(message.context(), message.source()), args);
}

void bindText(QObject* object, Message text, const char* property) {
  BoundTexts::instance().bind(object, property, std::move(text));
}

void unbindText(QObject* object, const char* property) { BoundTexts::instance().unbind(object, property); }

const Message* boundText(const QObject* object, const char* property) {
  return BoundTexts::instance().find(object, property);
}

void retranslateBoundTexts() { BoundTexts::instance().applyAll(); }

}  // namespace glamora
