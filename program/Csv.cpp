#include "Csv.h"

#include <QRegularExpression>
#include <algorithm>

namespace Csv {

bool plainNumber(const QString& text)
{
    static const QRegularExpression number(QStringLiteral("^-?\\d+(\\.\\d+)?$"));
    return number.match(text).hasMatch();
}

QString guarded(const QString& text, Kind kind)
{
    if (kind == Kind::Number && plainNumber(text))
        return text;
    static const QString starts = QStringLiteral("=+-@\t\r");
    return !text.isEmpty() && starts.contains(text.front()) ? QLatin1Char('\'') + text : text;
}

QString field(const QString& text, QChar separator)
{
    if (std::none_of(text.cbegin(), text.cend(), [separator](QChar c) {
            return c == separator || c == QLatin1Char('"') || c == QLatin1Char('\r')
                || c == QLatin1Char('\n');
        }))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString row(const QStringList& cells, const QList<Kind>& kinds)
{
    QStringList fields;
    for (qsizetype i = 0; i < cells.size(); ++i)
        fields << field(guarded(cells.at(i), kinds.value(i, Kind::Text)));
    return fields.join(QLatin1Char(',')) + QLatin1String("\r\n");
}

} // namespace Csv
