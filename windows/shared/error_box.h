// The message box titled "Ошибка": the one way every window, and the start of the program, tells
// the user that something failed.
#pragma once

#include "support/file_status.h"

#include <QString>

class Platform;
class QWidget;

// Shows the text in a message box titled "Ошибка" with the button OK.
void showError(Platform& platform, QWidget* parent, const QString& text);
// Shows the failure's text as showError does; does nothing for a success. True for a success.
bool reportFailure(Platform& platform, QWidget* parent, const FileStatus& status);
