#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The list file: the user's ordered siteswap strings, kept as a JSON array of strings in
// "Documents/SiteSwapList.juggle" under the home directory.
namespace SiteSwapListFile {

// What some bytes hold: the strings in order, or why they are not a list file.
struct Parsed {
    bool ok = false;
    QStringList strings;
    QString reason;  // set when !ok
};

// Pure: no file, no state. A fuzz target feeds it arbitrary bytes.
Parsed parse(const QByteArray& bytes);
QByteArray serialize(const QStringList& strings);

// The list file's path under the current home directory.
QString path();

struct Loaded {
    enum class Source {
        Missing,     // no file: the caller uses its built-in list
        File,        // the strings come from the file
        Unreadable,  // a file that is not a list: it was copied aside (or could not be)
    };
    Source source = Source::Missing;
    QStringList strings;
    QString message;  // for the user when Unreadable: what was wrong, where the copy is
};

Loaded load(const QString& filePath);

// Writes the list atomically, creating the folder when missing: a crash or a full disk
// leaves the old file whole. A file that is not a list is first copied aside; if that
// fails nothing is written. Returns an empty string on success, else the reason.
QString save(const QString& filePath, const QStringList& strings);

// Copies an unreadable file to "<file>.unreadable" (or a dated name when that exists).
// Returns the copy's path, or an empty string when the copy failed.
QString keepCopy(const QString& filePath);

}  // namespace SiteSwapListFile
