#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointF>
#include <QTemporaryDir>
#include <ostream>

#include "app/SiteSwapListFile.h"

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QPointF& point, std::ostream* out) {
    *out << '(' << point.x() << ", " << point.y() << ')';
}

// A fresh home directory for the length of one test, so that the list file is the test's.
class TempHome {
  public:
    TempHome() : saved_(qgetenv("HOME")) { qputenv("HOME", dir_.path().toLocal8Bit()); }
    ~TempHome() { qputenv("HOME", saved_); }
    TempHome(const TempHome&) = delete;
    TempHome& operator=(const TempHome&) = delete;

    QString path() const { return dir_.path(); }
    QString listPath() const { return SiteSwapListFile::path(); }
    QString documents() const { return QDir(dir_.path()).filePath("Documents"); }

    void write(const QString& file, const QByteArray& bytes) const {
        QDir().mkpath(QFileInfo(file).absolutePath());
        QFile out(file);
        out.open(QIODevice::WriteOnly);
        out.write(bytes);
    }
    static QByteArray read(const QString& file) {
        QFile in(file);
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }

  private:
    QTemporaryDir dir_;
    QByteArray saved_;
};
