// What the tests share: a temporary working folder with a folder files, a scripted platform that
// answers message boxes and records started programs, and byte-level file helpers.
#pragma once

#include "windows/shared/platform.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QList>
#include <QString>
#include <QTemporaryDir>

// Makes a fresh temporary folder the working folder for its lifetime, with files/ inside.
class TempWorkFolder {
  public:
    explicit TempWorkFolder(bool withFilesFolder = true) : old_(QDir::currentPath()) {
        QDir::setCurrent(dir_.path());
        if (withFilesFolder)
            QDir().mkdir(QStringLiteral("files"));
    }
    ~TempWorkFolder() { QDir::setCurrent(old_); }
    QString path() const { return dir_.path(); }

  private:
    QTemporaryDir dir_;
    QString old_;
};

inline QByteArray readBytes(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return f.readAll();
}

inline bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(bytes) == bytes.size();
}

// Windows-1251 of the Russian letters is one block: А .. я are 0xC0 .. 0xFF, Ё 0xA8, ё 0xB8.
inline QByteArray cp1251(const QString& text) {
    QByteArray bytes;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80)
            bytes.append(char(u));
        else if (u >= 0x410 && u <= 0x44F)
            bytes.append(char(u - 0x410 + 0xC0));
        else if (u == 0x401)
            bytes.append(char(0xA8));
        else if (u == 0x451)
            bytes.append(char(0xB8));
        else
            bytes.append('?');
    }
    return bytes;
}

// A message box as the program asked for it.
struct ShownMessage {
    QString text;
    QString title;
    Platform::Buttons buttons;
};

class ScriptedPlatform : public Platform {
  public:
    Answer messageBox(QWidget*, const QString& text, const QString& title,
                      Buttons buttons) override {
        messages.append({text, title, buttons});
        if (answers.isEmpty())
            return Answer::Ok;
        return answers.takeFirst();
    }
    QString saveFileName(QWidget*, const QString& title, const QString&, const QString&) override {
        asked.append(title);
        return saveAs;
    }
    void print(QWidget*, const QString& title,
               const std::function<void(QPrinter&)>& write) override {
        asked.append(title);
        if (printer)
            printer(write);
    }
    bool startDetached(const QString& program, const QStringList& arguments) override {
        started.append(QStringList{program} + arguments);
        return canStart;
    }
    bool openUrl(const QUrl& url, std::function<void()> failedLater) override {
        opened.append(url);
        lateFailure = std::move(failedLater);
        return canOpen;
    }
    QChar decimalSeparator() const override { return separator; }

    QChar separator = u'.';
    QList<Answer> answers; // the answers to give, in order; OK when none is left
    QList<ShownMessage> messages;
    QList<QStringList> started;
    QList<QUrl> opened;
    std::function<void()> lateFailure; // what the last openUrl asked to run if the opener fails
    bool canStart = true;
    bool canOpen = true;
    QStringList asked; // the titles of the file and print dialogs shown
    QString saveAs;    // the file the save dialog answers with; empty: cancelled
    // What the print dialog does when accepted (e.g. a printer that writes a PDF file); none:
    // the user cancelled.
    std::function<void(const std::function<void(QPrinter&)>&)> printer;
};
