#include "DeskTables.h"

#include "DeskWords.h"
#include "regional/RegionalSettings.h"

#include <QCoreApplication>
#include <QLocale>

namespace DeskTables {
namespace {

using Csv::Kind;

QString number(double value)
{
    return QLocale::c().toString(value, 'f', QLocale::FloatingPointShortest);
}

QString moment(const QDateTime& at, const RegionalSettings& regional)
{
    return at.isValid() ? regional.dateTimeText(at) : QString();
}

} // namespace

Table jobs(const QList<Punch>& punches, const QStringList& levelTitles, const QDateTime& now,
    qint64 shiftSeconds, Form form, Columns columns, const RegionalSettings& regional)
{
    const bool words = form == Form::Words;
    // A spreadsheet's heads stay as they are in every language.
    const auto head = [words](const char* text) {
        return words ? QCoreApplication::translate("DeskTables", text) : QString::fromLatin1(text);
    };
    const QStringList levels = DeskWords::levelHeadings(levelTitles);
    Table table;
    table.heads = words
        ? QStringList {head(QT_TRANSLATE_NOOP("DeskTables", "Badge")),
            head(QT_TRANSLATE_NOOP("DeskTables", "Name")), DeskWords::workerDepartment(),
            levels.at(0), levels.at(1), levels.at(2),
            head(QT_TRANSLATE_NOOP("DeskTables", "Started"))}
        : QStringList {QStringLiteral("Badge"), QStringLiteral("Name"), QStringLiteral("DeptNum"),
            QStringLiteral("Level1Item"), QStringLiteral("Level2Item"),
            QStringLiteral("Level3Item"), QStringLiteral("Started")};
    table.kinds
        = {Kind::Text, Kind::Text, Kind::Number, Kind::Text, Kind::Text, Kind::Text, Kind::Text};
    switch (columns) {
    case Columns::All:
        table.heads << head(QT_TRANSLATE_NOOP("DeskTables", "Stopped"))
                    << head(QT_TRANSLATE_NOOP("DeskTables", "Hours"))
                    << head(QT_TRANSLATE_NOOP("DeskTables", "Pieces"))
                    << head(QT_TRANSLATE_NOOP("DeskTables", "State"))
                    << head(QT_TRANSLATE_NOOP("DeskTables", "Corrections"))
                    << QStringLiteral("PunchId");
        table.kinds << Kind::Text << Kind::Number << Kind::Number << Kind::Text << Kind::Number
                    << Kind::Text;
        break;
    case Columns::Board:
        table.heads << head(QT_TRANSLATE_NOOP("DeskTables", "Open for"))
                    << head(QT_TRANSLATE_NOOP("DeskTables", "State"));
        table.kinds << Kind::Number << Kind::Text;
        break;
    case Columns::Closed:
        table.heads << head(QT_TRANSLATE_NOOP("DeskTables", "Stopped"))
                    << head(QT_TRANSLATE_NOOP("DeskTables", "Hours"))
                    << head(QT_TRANSLATE_NOOP("DeskTables", "Pieces"))
                    << head(QT_TRANSLATE_NOOP("DeskTables", "Corrected"));
        table.kinds << Kind::Text << Kind::Number << Kind::Number << Kind::Number;
        break;
    }
    for (const Punch& punch : punches) {
        const qint64 seconds = punch.isOpen() ? punch.secondsOpen(now) : punch.secondsWorked();
        const QString state = !punch.isOpen() ? QStringLiteral("closed")
            : seconds > shiftSeconds
            ? (words ? QCoreApplication::translate("DeskTables", "over a shift")
                     : QStringLiteral("over shift"))
            : QStringLiteral("open");
        const QString hours
            = words ? DeskWords::duration(seconds) : DeskWords::decimalHours(seconds);
        const QString pieces = words ? regional.numberText(punch.pieces()) : number(punch.pieces());
        QStringList row {punch.badge, punch.name(), punch.department(), punch.item(1),
            punch.item(2), punch.item(3), moment(punch.started(), regional)};
        switch (columns) {
        case Columns::All:
            row << moment(punch.stopped(), regional) << hours << pieces << state
                << QString::number(punch.corrections) << punch.punchId;
            break;
        case Columns::Board:
            row << hours << state;
            break;
        case Columns::Closed:
            row << moment(punch.stopped(), regional) << hours << pieces
                << (punch.corrections == 0 ? QString() : QString::number(punch.corrections));
            break;
        }
        table.rows << row;
    }
    return table;
}

Table corrections(const QList<DeskStore::AuditEntry>& entries, const QStringList& levelTitles,
    Form form, const RegionalSettings& regional)
{
    Table table;
    if (form == Form::Words) {
        table.heads = QStringList {QCoreApplication::translate("DeskTables", "No."),
            QCoreApplication::translate("DeskTables", "When"),
            QCoreApplication::translate("DeskTables", "By"),
            QCoreApplication::translate("DeskTables", "Action"),
            QCoreApplication::translate("DeskTables", "Worker"),
            QCoreApplication::translate("DeskTables", "Changes"),
            QCoreApplication::translate("DeskTables", "Reason")};
        table.kinds = {Kind::Number};
    } else {
        table.heads = QStringList {QStringLiteral("CorrectionId"), QStringLiteral("CorrectedAt"),
            QStringLiteral("CorrectedBy"), QStringLiteral("Action"), QStringLiteral("PunchId"),
            QStringLiteral("Name"), QStringLiteral("Changes"), QStringLiteral("Reason"),
            QStringLiteral("OldValues"), QStringLiteral("NewValues")};
        table.kinds = {Kind::Number};
    }
    for (const DeskStore::AuditEntry& entry : entries) {
        const QString changes = DeskWords::changesText(
            entry.action, entry.oldValues, entry.newValues, levelTitles, regional);
        if (form == Form::Words)
            table.rows << QStringList {QString::number(entry.id),
                moment(entry.correctedAt, regional), entry.correctedBy,
                DeskWords::actionText(entry.action), entry.name, changes, entry.reason};
        else
            table.rows << QStringList {QString::number(entry.id),
                moment(entry.correctedAt, regional), entry.correctedBy, entry.action, entry.punchId,
                entry.name, changes, entry.reason, entry.oldValues, entry.newValues};
    }
    return table;
}

QString text(const Table& table)
{
    QList<qsizetype> widths;
    for (const QString& head : table.heads)
        widths << head.size();
    for (const QStringList& row : table.rows)
        for (qsizetype i = 0; i < row.size(); ++i)
            widths[i] = std::max(widths.at(i), row.at(i).size());
    QString out;
    for (const QStringList& row : QList<QStringList> {table.heads} + table.rows) {
        QStringList fields;
        for (qsizetype i = 0; i < row.size(); ++i)
            fields << (i + 1 < row.size() ? row.at(i).leftJustified(widths.at(i)) : row.at(i));
        out += fields.join(QLatin1String("  ")) + QLatin1Char('\n');
    }
    return out;
}

QString csv(const Table& table)
{
    QString out = Csv::row(table.heads);
    for (const QStringList& row : table.rows)
        out += Csv::row(row, table.kinds);
    return out;
}

} // namespace DeskTables
