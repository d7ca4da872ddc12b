#include "app/SiteSwapListFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QSaveFile>

namespace SiteSwapListFile {

Parsed parse(const QByteArray& bytes) {
    Parsed parsed;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (document.isNull()) {
        parsed.reason = QStringLiteral("it is not JSON (%1 at byte %2)")
                            .arg(error.errorString())
                            .arg(error.offset);
        return parsed;
    }
    if (!document.isArray()) {
        parsed.reason = QStringLiteral("it holds no list");
        return parsed;
    }
    const QJsonArray array = document.array();
    for (qsizetype i = 0; i < array.size(); ++i) {
        if (!array.at(i).isString()) {
            parsed.reason = QStringLiteral("entry %1 is not a string").arg(i + 1);
            parsed.strings.clear();
            return parsed;
        }
        parsed.strings.append(array.at(i).toString());
    }
    parsed.ok = true;
    return parsed;
}

QByteArray serialize(const QStringList& strings) {
    return QJsonDocument(QJsonArray::fromStringList(strings)).toJson(QJsonDocument::Indented);
}

QString path() {
    return QDir(QDir::homePath()).filePath(QStringLiteral("Documents/SiteSwapList.juggle"));
}

static QByteArray contents(const QString& filePath, bool* ok) {
    QFile file(filePath);
    *ok = file.open(QIODevice::ReadOnly);
    return *ok ? file.readAll() : QByteArray();
}

QString keepCopy(const QString& filePath) {
    QString copy = filePath + QStringLiteral(".unreadable");
    if (QFileInfo::exists(copy)) {
        bool readOriginal = false;
        bool readCopy = false;
        const QByteArray original = contents(filePath, &readOriginal);
        if (readOriginal && contents(copy, &readCopy) == original && readCopy) {
            return copy;  // kept already, at start-up
        }
        // An earlier copy may be the only one of other lost data: never replace it.
        const QString stamp =
            QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss-zzz"));
        copy = filePath + QStringLiteral(".unreadable-") + stamp;
    }
    return QFile::copy(filePath, copy) ? copy : QString();
}

Loaded load(const QString& filePath) {
    Loaded loaded;
    QFile file(filePath);
    if (!file.exists()) {
        return loaded;
    }
    QString reason;
    if (file.open(QIODevice::ReadOnly)) {
        const Parsed parsed = parse(file.readAll());
        if (parsed.ok) {
            loaded.source = Loaded::Source::File;
            loaded.strings = parsed.strings;
            return loaded;
        }
        reason = parsed.reason;
        file.close();
    } else {
        reason = file.errorString();
    }
    loaded.source = Loaded::Source::Unreadable;
    const QString copy = keepCopy(filePath);
    if (copy.isEmpty()) {
        loaded.message = QStringLiteral(
                             "The siteswap list %1 could not be read (%2), and no copy of it "
                             "could be made. The built-in list is shown; the file is left as "
                             "it is and will not be replaced.")
                             .arg(QDir::toNativeSeparators(filePath), reason);
    } else {
        loaded.message =
            QStringLiteral(
                "The siteswap list %1 could not be read (%2). It was copied to "
                "%3, and the built-in list is shown instead.")
                .arg(QDir::toNativeSeparators(filePath), reason, QDir::toNativeSeparators(copy));
    }
    return loaded;
}

// True when the file at filePath exists and is not a list that parse accepts.
static bool holdsSomethingElse(const QString& filePath) {
    QFile file(filePath);
    if (!file.exists()) {
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        return true;
    }
    return !parse(file.readAll()).ok;
}

QString save(const QString& filePath, const QStringList& strings) {
    const QFileInfo info(filePath);
    if (!QDir().mkpath(info.absolutePath())) {
        return QStringLiteral("the folder %1 could not be created")
            .arg(QDir::toNativeSeparators(info.absolutePath()));
    }
    if (holdsSomethingElse(filePath) && keepCopy(filePath).isEmpty()) {
        return QStringLiteral(
                   "%1 holds something that is not a siteswap list and no copy of "
                   "it could be made, so it was not replaced")
            .arg(QDir::toNativeSeparators(filePath));
    }
    QSaveFile file(filePath);
    if (!file.open(QIODevice::WriteOnly)) {
        return file.errorString();
    }
    const QByteArray bytes = serialize(strings);
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason;
    }
    if (!file.commit()) {
        return file.errorString();
    }
    return {};
}

}  // namespace SiteSwapListFile
