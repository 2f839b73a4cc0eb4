// "もう一度(&R)", left of a result dialog's OK button: it closes the dialog
// as OK does, and the program then chooses the same stage again. Enter stays
// on OK.
#pragma once

class QDialog;
class QPushButton;

namespace glamora {

// Adds the button (objectName "again1") to the dialog; `ok` becomes the default button.
QPushButton* addAgainButton(QDialog* dialog, QPushButton* ok);

}  // namespace glamora
