// Qt's own Russian texts (context menus, dialog buttons, file dialogs, command-line messages),
// from Qt's translation qtbase_ru.qm.
#pragma once

class QTranslator;

// Loads qtbase_ru.qm from Qt's translations folder, or from translations/ beside the program (as
// windeployqt lays it out), and installs it in the running application. False when not found.
bool installQtRussian(QTranslator& translator);
