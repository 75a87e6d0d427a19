#include "app/pathlist/PathListFile.h"

#include <QFile>
#include <QSaveFile>

namespace trackdeck::pathlist {

namespace {

const QByteArray LineEnd = QByteArrayLiteral("\r\n");

}  // namespace

QStringList ReadPathList(const QString& file) {
    QFile input(file);
    if (!input.open(QIODevice::ReadOnly)) return {};
    QStringList entries;
    for (QByteArray line : input.readAll().split('\n')) {
        if (line.endsWith('\r')) line.chop(1);
        if (!line.isEmpty()) entries.append(QString::fromUtf8(line));
    }
    return entries;
}

bool AppendToPathList(const QString& file, const QString& folder) {
    QFile output(file);
    if (!output.open(QIODevice::ReadWrite)) return false;
    QByteArray bytes;
    if (output.size() > 0) {
        if (!output.seek(output.size() - 1)) return false;
        if (output.read(1) != "\n") bytes = LineEnd;
    }
    bytes += folder.toUtf8() + LineEnd;
    return output.seek(output.size()) && output.write(bytes) == bytes.size();
}

bool RewritePathList(const QString& file, const QStringList& entries) {
    QSaveFile output(file);
    if (!output.open(QIODevice::WriteOnly)) return false;
    QByteArray bytes;
    for (const QString& entry : entries) bytes += entry.toUtf8() + LineEnd;
    bytes += LineEnd;
    output.write(bytes);
    return output.commit();
}

bool FitsOnOneLine(const QString& folder) {
    return !folder.contains('\n') && !folder.contains('\r');
}

}  // namespace trackdeck::pathlist
