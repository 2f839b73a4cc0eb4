// Qt's own texts (a line edit's context menu, standard buttons, file
// dialogs) in Japanese, as the rest of the game is.
#pragma once

class QCoreApplication;

namespace glamora {

// Loads Qt's Japanese translation from Qt's translations directory (Debian:
// qt6-translations-l10n) into `application`. False when it is not
// installed: Qt's English texts then stay and the game runs as before.
bool installQtJapanese(QCoreApplication& application);

}  // namespace glamora
