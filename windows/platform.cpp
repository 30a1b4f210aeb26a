#include "windows/platform.h"

#include "windows/ui_kit.h"

#include <QDesktopServices>
#include <QLocale>
#include <QMessageBox>
#include <QProcess>

Platform::Answer DesktopPlatform::messageBox(QWidget* parent, const QString& text,
                                             const QString& title, Buttons buttons) {
    QMessageBox box(parent);
    box.setWindowTitle(title);
    box.setText(ui::screenText(text));
    // The buttons' Russian captions come from Qt's own translation, loaded at start.
    box.setStandardButtons(buttons == Buttons::OkCancel ? QMessageBox::Ok | QMessageBox::Cancel
                                                        : QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok ? Answer::Ok : Answer::Cancel;
}

bool DesktopPlatform::startDetached(const QString& program, const QStringList& arguments) {
    return QProcess::startDetached(program, arguments);
}

bool DesktopPlatform::openUrl(const QUrl& url) {
    return QDesktopServices::openUrl(url);
}

QChar DesktopPlatform::decimalSeparator() const {
    const QString sep = QLocale::system().decimalPoint();
    return sep.isEmpty() ? QChar(u'.') : sep.front();
}
