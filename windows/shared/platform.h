// The platform services the windows use: message boxes, starting another program, opening a page
// in the desktop's browser and the user's decimal separator. Tests install a scripted one.
#pragma once

#include <QChar>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>

class QWidget;

class Platform {
  public:
    enum class Buttons { Ok, OkCancel };
    enum class Answer { Ok, Cancel };

    virtual ~Platform() = default;
    virtual Answer messageBox(QWidget* parent, const QString& text, const QString& title,
                              Buttons buttons) = 0;
    // Starts the program without waiting for it; false when it could not be started.
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
    bool startDetached(const QString& program, const QStringList& arguments) override;
    bool openUrl(const QUrl& url, std::function<void()> failedLater) override;
    QChar decimalSeparator() const override;
};
