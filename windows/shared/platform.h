// The platform services the windows use: message boxes, the file and print dialogs, starting
// another program, opening a page in the desktop's browser and the user's decimal separator.
// Tests install a scripted one.
#pragma once

#include <QChar>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>

class QPrinter;
class QWidget;

class Platform {
  public:
    enum class Buttons { Ok, OkCancel };
    enum class Answer { Ok, Cancel };

    virtual ~Platform() = default;
    virtual Answer messageBox(QWidget* parent, const QString& text, const QString& title,
                              Buttons buttons) = 0;
    // Starts the program without waiting for it; false when it could not be started.
    // The file to save to, asked in the file dialog; empty when the user cancelled.
    virtual QString saveFileName(QWidget* parent, const QString& title, const QString& suggested,
                                 const QString& filters) = 0;
    // Asks for a printer in the print dialog and, unless the user cancelled, prints on it.
    virtual void print(QWidget* parent, const QString& title,
                       const std::function<void(QPrinter&)>& write) = 0;
    virtual bool startDetached(const QString& program, const QStringList& arguments) = 0;
    // Opens the page in the desktop's default browser; false when that failed at once. When the
    // opener started but reports afterwards that it found no browser, failedLater runs.
    virtual bool openUrl(const QUrl& url, std::function<void()> failedLater) = 0;
    virtual QChar decimalSeparator() const = 0;
};

// The real services: QMessageBox, QProcess, QDesktopServices and the system locale.
class DesktopPlatform : public Platform {
  public:
    Answer messageBox(QWidget* parent, const QString& text, const QString& title,
                      Buttons buttons) override;
    QString saveFileName(QWidget* parent, const QString& title, const QString& suggested,
                         const QString& filters) override;
    void print(QWidget* parent, const QString& title,
               const std::function<void(QPrinter&)>& write) override;
    bool startDetached(const QString& program, const QStringList& arguments) override;
    bool openUrl(const QUrl& url, std::function<void()> failedLater) override;
    QChar decimalSeparator() const override;
};
