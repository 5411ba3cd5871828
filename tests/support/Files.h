#pragma once

#include <QDir>
#include <QFile>
#include <QMap>
#include <utility>

// A file's content, or nothing when it cannot be read.
inline QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every file of a folder, byte for byte, by name: what a test compares to see
// that a program left a folder as it was.
inline QMap<QString, QByteArray> folderFiles(const QString& path)
{
    QMap<QString, QByteArray> files;
    const QDir dir(path);
    for (const QString& name : dir.entryList(QDir::Files)) {
        QFile file(dir.filePath(name));
        files.insert(name, file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("?"));
    }
    return files;
}

// The cells of a CSV as a spreadsheet reads them (quotes, doubled quotes,
// separators and line breaks inside quotes).
inline QList<QStringList> csvCells(const QByteArray& csv)
{
    QList<QStringList> rows {{}};
    QString cell;
    bool quoted = false;
    const QString text = QString::fromUtf8(csv);
    const auto next = [&](qsizetype i) {
        return i + 1 < text.size() ? text.at(i + 1) : QChar();
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == u'"' && next(i) == u'"')
                cell += text.at(++i);
            else if (c == u'"')
                quoted = false;
            else
                cell += c;
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            rows.last() << std::exchange(cell, QString());
        } else if (c == u'\r' && next(i) == u'\n') {
            rows.last() << std::exchange(cell, QString());
            rows << QStringList();
            ++i;
        } else {
            cell += c;
        }
    }
    // A last row without its line break still counts.
    if (!cell.isEmpty() || !rows.last().isEmpty())
        rows.last() << cell;
    else
        rows.removeLast();
    return rows;
}
