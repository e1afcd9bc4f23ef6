// SPDX-FileCopyrightText: 2026 The cellcounters developers
//
// SPDX-License-Identifier: LGPL-2.1-or-later

// cellcounters-storewriter: a stand-in for the phone's processes that write the
// configuration store. It writes and reads keys through the toolkit's store
// layer, so that tests, benchmarks, scripts and the demo drive the store from a
// separate process without paying for a gconftool-2 start per write.
//
//   cellcounters-storewriter                 commands from stdin, one answer each
//   cellcounters-storewriter -f FILE         commands from FILE ("-": stdin)
//   cellcounters-storewriter COMMAND ARG...  one command
//
// Commands (TYPE is string, int, bool or float):
//   set KEY TYPE VALUE      prints "ok"; VALUE is the rest of the line after
//                           the one blank that follows TYPE
//   setlist KEY TYPE A,B,C  a list of TYPE; prints "ok"
//   unset KEY               prints "ok"
//   burst KEY N FIRST [STEP]
//                           writes N string values FIRST, FIRST+STEP, ... (STEP 1
//                           when not given) as fast as it can, each one stored
//                           before the next; prints "done"
//   get KEY                 prints "TYPE VALUE" ("list:TYPE A,B,C" for a list) or "unset"
//   dump DIR                prints "KEY TYPE:VALUE" for every key below DIR,
//                           sorted by key, then "done"
//   quit
// A command that fails prints "error" (and why on stderr). Texts are printed with
// backslash and newline escaped as \\ and \n. The exit status is 1 when any
// command failed, 2 for a wrong use of the program.
#include "loconfstore_p.h"

#include <QLocale>
#include <QRegularExpression>
#include <QStringList>
#include <QTextStream>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <string>

namespace
{

QTextStream &out()
{
    static QTextStream stream(stdout);
    return stream;
}

void fail(const QString &why)
{
    std::fprintf(stderr, "storewriter: %s\n", qPrintable(why));
}

bool toScalar(const QString &type, const QString &text, QVariant *value)
{
    bool ok = true;
    if (type == QLatin1String("string")) {
        *value = text;
    } else if (type == QLatin1String("int")) {
        *value = text.toInt(&ok);
    } else if (type == QLatin1String("bool")) {
        ok = text == QLatin1String("true") || text == QLatin1String("false");
        *value = text == QLatin1String("true");
    } else if (type == QLatin1String("float")) {
        // strtod, unlike QString, takes "nan" and "inf" as well.
        const QByteArray bytes = text.toUtf8();
        char *end = nullptr;
        *value = std::strtod(bytes.constData(), &end);
        ok = !bytes.isEmpty() && end == bytes.constData() + bytes.size();
    } else {
        fail(QStringLiteral("unknown type ") + type);
        return false;
    }
    if (!ok)
        fail(QStringLiteral("not a %1: %2").arg(type, text));
    return ok;
}

bool write(const QString &key, const QVariant &value)
{
    QString error;
    switch (LoConfStore::instance().write(key, value, &error)) {
    case LoConfStore::Written:
        return true;
    case LoConfStore::Unsupported:
        fail(QStringLiteral("the store cannot hold this value in ") + key);
        return false;
    case LoConfStore::Failed:
        fail(error.trimmed());
        return false;
    }
    return false;
}

QString escaped(QString text)
{
    return text.replace(QLatin1Char('\\'), QLatin1String("\\\\")).replace(QLatin1Char('\n'), QLatin1String("\\n"));
}

QString typeOf(const QVariant &value)
{
    switch (value.userType()) {
    case QMetaType::QString:
        return QStringLiteral("string");
    case QMetaType::Int:
        return QStringLiteral("int");
    case QMetaType::Bool:
        return QStringLiteral("bool");
    case QMetaType::Double:
        return QStringLiteral("float");
    case QMetaType::QVariantList: {
        const QVariantList list = value.toList();
        return list.isEmpty() ? QStringLiteral("list") : QStringLiteral("list:") + typeOf(list.first());
    }
    default:
        return QString::fromLatin1(value.typeName());
    }
}

QString textOf(const QVariant &value)
{
    switch (value.userType()) {
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    case QMetaType::Double: {
        const double number = value.toDouble();
        if (std::isnan(number))
            return QStringLiteral("nan");
        return QString::number(number, 'g', QLocale::FloatingPointShortest);
    }
    case QMetaType::QVariantList: {
        QStringList items;
        const QVariantList list = value.toList();
        for (const QVariant &item : list)
            items.append(textOf(item));
        return items.join(QLatin1Char(','));
    }
    default:
        return escaped(value.toString());
    }
}

// Whether @p key holds @p value once this process's writes have reached the
// store: a store that takes writes in the background may refuse them there.
bool stored(const QString &key, const QVariant &value)
{
    LoConfStore &store = LoConfStore::instance();
    store.sync();
    QString error;
    const QVariant now = store.read(key, &error);
    if (now.isValid() == value.isValid() && (!now.isValid() || (typeOf(now) == typeOf(value) && textOf(now) == textOf(value))))
        return true;
    fail(QStringLiteral("the store did not keep the write of ") + key);
    return false;
}

// Every key below @p dir, by path.
bool collect(const QString &dir, std::map<QString, QVariant> *values)
{
    LoConfStore &store = LoConfStore::instance();
    QString error;
    const QHash<QString, QVariant> entries = store.readDirectory(dir, &error);
    const QStringList dirs = error.isEmpty() ? store.directories(dir, &error) : QStringList();
    if (!error.isEmpty()) {
        fail(error.trimmed());
        return false;
    }
    for (auto it = entries.cbegin(); it != entries.cend(); ++it)
        values->emplace(it.key(), it.value());
    for (const QString &sub : dirs) {
        if (!collect(sub, values))
            return false;
    }
    return true;
}

// Runs one command: @p args are its words, the last one taking the rest of the
// line where the command has a value. Returns false when it failed.
bool run(const QStringList &args)
{
    const QString command = args.value(0);
    const QString key = args.value(1);
    auto answer = [](bool ok, const char *done) {
        out() << (ok ? done : "error") << '\n';
        return ok;
    };

    if (command == QLatin1String("set") && args.size() >= 3) {
        QVariant value;
        return answer(toScalar(args.at(2), args.value(3), &value) && write(key, value) && stored(key, value), "ok");
    }
    if (command == QLatin1String("setlist") && args.size() >= 3) {
        QVariantList list;
        bool ok = true;
        const QStringList items = args.value(3).isEmpty() ? QStringList() : args.value(3).split(QLatin1Char(','));
        for (const QString &item : items) {
            QVariant value;
            ok = ok && toScalar(args.at(2), item, &value);
            list.append(value);
        }
        return answer(ok && write(key, list) && stored(key, list), "ok");
    }
    if (command == QLatin1String("unset") && args.size() == 2)
        return answer(write(key, QVariant()) && stored(key, QVariant()), "ok");
    if (command == QLatin1String("burst") && (args.size() == 4 || args.size() == 5)) {
        bool ok = true;
        bool parsed = true;
        const qulonglong count = args.at(2).toULongLong(&parsed);
        ok = ok && parsed;
        const qulonglong first = args.at(3).toULongLong(&parsed);
        ok = ok && parsed;
        const qulonglong step = args.size() == 5 ? args.at(4).toULongLong(&parsed) : 1;
        ok = ok && parsed;
        if (!ok)
            fail(QStringLiteral("burst KEY N FIRST [STEP] takes numbers"));
        // Each write is stored before the next one: readers get one notice per
        // write, not the few of a store that merges writes still queued.
        QString last;
        for (qulonglong i = 0; i < count && ok; ++i) {
            ok = write(key, last = QString::number(first + i * step));
            LoConfStore::instance().sync();
        }
        return answer(ok && (last.isNull() || stored(key, last)), "done");
    }
    if (command == QLatin1String("get") && args.size() == 2) {
        QString error;
        const QVariant value = LoConfStore::instance().read(key, &error);
        if (!error.isEmpty()) {
            fail(error.trimmed());
            return answer(false, "");
        }
        if (!value.isValid())
            out() << "unset\n";
        else
            out() << typeOf(value) << ' ' << textOf(value) << '\n';
        return true;
    }
    if (command == QLatin1String("dump") && args.size() == 2) {
        std::map<QString, QVariant> values;
        const bool ok = collect(key, &values);
        for (const auto &entry : values)
            out() << entry.first << ' ' << typeOf(entry.second) << ':' << textOf(entry.second) << '\n';
        return answer(ok, "done");
    }
    fail(QStringLiteral("unknown command or wrong arguments: ") + args.join(QLatin1Char(' ')));
    return answer(false, "");
}

// The words of a command line; for set and setlist the value is the rest of
// the line after the type and the one blank that follows it.
QStringList words(const QString &line)
{
    static const QRegularExpression withValue(
        QStringLiteral("^\\s*(set|setlist)\\s+(\\S+)\\s+(\\S+)(?: (.*))?$"));
    const QRegularExpressionMatch match = withValue.match(line);
    if (match.hasMatch())
        return {match.captured(1), match.captured(2), match.captured(3), match.captured(4)};
    return line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

// Runs the commands of @p in until its end or "quit"; false when any failed.
bool runCommands(std::istream &in)
{
    bool ok = true;
    std::string line;
    while (std::getline(in, line)) {
        const QStringList args = words(QString::fromUtf8(line.data(), int(line.size())));
        if (args.value(0) == QLatin1String("quit"))
            break;
        if (!args.isEmpty())
            ok = run(args) && ok;
        out().flush();
    }
    return ok;
}

} // namespace

int main(int argc, char **argv)
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args.append(QString::fromLocal8Bit(argv[i]));

    bool ok = true;
    if (args.isEmpty()) {
        ok = runCommands(std::cin);
    } else if (args.first() == QLatin1String("-f") || args.first() == QLatin1String("--file")) {
        if (args.size() != 2) {
            fail(QStringLiteral("usage: cellcounters-storewriter [-f FILE | COMMAND ARG...]"));
            return 2;
        }
        if (args.at(1) == QLatin1String("-")) {
            ok = runCommands(std::cin);
        } else {
            std::ifstream file(argv[2]);
            if (!file) {
                fail(QStringLiteral("cannot read ") + args.at(1));
                return 2;
            }
            ok = runCommands(file);
        }
    } else {
        // A value given as several words is one value, as on a command line.
        if ((args.first() == QLatin1String("set") || args.first() == QLatin1String("setlist")) && args.size() > 4)
            args = args.mid(0, 3) << args.mid(3).join(QLatin1Char(' '));
        ok = run(args);
    }
    out().flush();
    return ok ? 0 : 1;
}
