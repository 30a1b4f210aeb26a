#include "windows/shared/error_box.h"

#include "windows/shared/platform.h"

#include <QCoreApplication>

void showError(Platform& platform, QWidget* parent, const QString& text) {
    platform.messageBox(parent, text, QCoreApplication::translate("shared", "Ошибка"),
                        Platform::Buttons::Ok);
}

bool reportFailure(Platform& platform, QWidget* parent, const FileStatus& status) {
    if (!status)
        showError(platform, parent, status.message());
    return status.ok;
}
