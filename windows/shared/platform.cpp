#include "windows/shared/platform.h"

#include "windows/shared/ui_kit.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QLocale>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>

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

QString DesktopPlatform::saveFileName(QWidget* parent, const QString& title,
                                      const QString& suggested, const QString& filters) {
    return QFileDialog::getSaveFileName(parent, title, suggested, filters);
}

void DesktopPlatform::print(QWidget* parent, const QString& title,
                            const std::function<void(QPrinter&)>& write) {
    QPrinter printer;
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(title);
    if (dialog.exec() == QDialog::Accepted)
        write(printer);
}

bool DesktopPlatform::startDetached(const QString& program, const QStringList& arguments) {
    return QProcess::startDetached(program, arguments);
}

// Where the desktop opens pages through xdg-open, the program runs it itself and watches how it
// ends: Qt only starts it, and an xdg-open that finds no browser would go unnoticed.
bool DesktopPlatform::openUrl(const QUrl& url, std::function<void()> failedLater) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (!opener.isEmpty()) {
        auto* process = new QProcess();
        process->setProgram(opener);
        process->setArguments({QString::fromUtf8(url.toEncoded())});
        process->setProcessChannelMode(QProcess::ForwardedChannels);
        process->setStandardInputFile(QProcess::nullDevice());
        QObject::connect(process, &QProcess::finished, process,
                         [process, failedLater](int code, QProcess::ExitStatus status) {
                             process->deleteLater();
                             if ((status != QProcess::NormalExit || code != 0) && failedLater)
                                 failedLater();
                         });
        process->start();
        if (process->waitForStarted())
            return true;
        delete process;
        return false;
    }
#else
    Q_UNUSED(failedLater);
#endif
    return QDesktopServices::openUrl(url);
}

QChar DesktopPlatform::decimalSeparator() const {
    const QString sep = QLocale::system().decimalPoint();
    return sep.isEmpty() ? QChar(u'.') : sep.front();
}
