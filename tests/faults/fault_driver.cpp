// Performs one file operation of the core in the current folder and prints its outcome, one
// "key value" line each, in UTF-8:
//   fault_driver list          the operations, "name<tab>file<tab>effect" each, the effect
//                              append, rewrite, read or touch-read
//   fault_driver seed          writes the starting files below files/ (the folder must exist)
//   fault_driver run <name>    status ok|fail, path, reason, message, result, files-open,
//   fds-leaked fault_driver locale        the C library's decimal point once the application object
//   exists
// Like the program, it creates its application object first, which sets the C library's locale
// from the environment.
// The exit code is 0 whenever the operation returned, whatever its outcome, and 2 on misuse.
#include "fault_ops.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QString>
#include <clocale>
#include <cstdio>

namespace {

void print(const char* key, const QString& value) {
    const QByteArray bytes = QByteArray(key) + ' ' + value.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
}

const char* effectName(faults::Effect effect) {
    switch (effect) {
    case faults::Effect::Append:
        return "append";
    case faults::Effect::Rewrite:
        return "rewrite";
    case faults::Effect::TouchRead:
        return "touch-read";
    case faults::Effect::Read:
        break;
    }
    return "read";
}

int list() {
    for (const faults::Operation& op : faults::operations())
        std::fputs(
            (op.name + u'\t' + op.target + u'\t' + QLatin1String(effectName(op.effect)) + u'\n')
                .toUtf8()
                .constData(),
            stdout);
    return 0;
}

int run(const QString& name) {
    const faults::Operation* op = faults::findOperation(name);
    if (!op) {
        std::fprintf(stderr, "unknown operation %s\n", qPrintable(name));
        return 2;
    }
    const int before = faults::openDescriptorCount();
    FileTable files;
    const faults::Outcome out = op->run(files);
    const bool filesOpen = out.filesOpen;
    files.closeAll();
    const int leaked = faults::openDescriptorCount() - before;
    print("status", out.status ? QStringLiteral("ok") : QStringLiteral("fail"));
    print("path", out.status.path);
    print("reason", out.status.reason);
    print("message", out.status ? QString() : out.status.message());
    print("result", faults::escaped(out.result));
    print("files-open", filesOpen ? QStringLiteral("1") : QStringLiteral("0"));
    print("fds-leaked", QString::number(leaked));
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString command = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (command == u"list" && argc == 2)
        return list();
    if (command == u"seed" && argc == 2)
        return faults::writeSeedFiles() ? 0 : 1;
    if (command == u"run" && argc == 3)
        return run(QString::fromLocal8Bit(argv[2]));
    if (command == u"locale" && argc == 2) {
        print("decimal-point", QString::fromLocal8Bit(std::localeconv()->decimal_point));
        return 0;
    }
    std::fprintf(stderr, "usage: fault_driver list | seed | run <operation> | locale\n");
    return 2;
}
