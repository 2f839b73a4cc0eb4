#include "app/qt_japanese.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace glamora {

bool installQtJapanese(QCoreApplication& application) {
  auto* translator = new QTranslator(&application);
  if (!translator->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
      !QCoreApplication::installTranslator(translator)) {
    delete translator;
    return false;
  }
  return true;
}

}  // namespace glamora
