// Small helpers of the benchmarks: a wall clock, the peak memory of this process, and running
// one measurement in a child process of its own so that every peak is that measurement's alone.
#pragma once

#include "windows/shared/platform.h"
#include <QByteArray>

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <chrono>
#include <cstdio>

namespace bench {

inline double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The peak resident memory of this process in kilobytes (VmHWM).
inline long peakKilobytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').front().toLong();
    return -1;
}

// Runs this program again with the arguments and passes its output on.
inline int runChild(const QStringList& arguments) {
    std::fflush(stdout); // what this process printed comes before the child's lines
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    child.start(QCoreApplication::applicationFilePath(), arguments);
    child.waitForFinished(-1);
    return child.exitCode();
}

// Platform services that start nothing and answer every message box with OK, printing its text.
class SilentPlatform : public Platform {
  public:
    explicit SilentPlatform(QChar separator) : separator_(separator) {}
    Answer messageBox(QWidget*, const QString& text, const QString&, Buttons) override {
        std::printf("message: %s\n", qPrintable(text));
        return Answer::Ok;
    }
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&) override {
        return {};
    }
    void print(QWidget*, const QString&, const std::function<void(QPrinter&)>&) override {}
    bool startDetached(const QString&, const QStringList&) override { return false; }
    bool openUrl(const QUrl&, std::function<void()>) override { return false; }
    QChar decimalSeparator() const override { return separator_; }

  private:
    QChar separator_;
};

} // namespace bench
