// Fails the build when a translation is not finished: a text of the programs
// that a .ts file lacks, leaves unfinished, or keeps as vanished although the
// programs use it again, and a translation that drops or adds a placeholder.
// lrelease makes a .qm file of any of these without a word, and the program
// would then show English, or lose a value, in the middle of a translated screen.
//
//   jobcosting-translation-check SCAN.ts TRANSLATION.ts...
//
// SCAN.ts is lupdate's reading of the sources into a new file.

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QXmlStreamReader>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

struct Message
{
    QString context;
    QString source;
    QString comment;
    bool numerus = false;
    QString type; // of the translation: unfinished, vanished, obsolete or none
    QStringList translations; // one, or one per plural form
};

// A message is the same text in the same context with the same disambiguation.
QString keyOf(const Message& message)
{
    return message.context + u'\x1f' + message.source + u'\x1f' + message.comment;
}

QList<Message> read(const QString& fileName, QString& error)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return {};
    }
    QList<Message> messages;
    QString context;
    Message message;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const auto name = xml.name();
        if (name == "name"_L1) {
            context = xml.readElementText();
        } else if (name == "message"_L1) {
            message = {context, {}, {}, xml.attributes().value("numerus"_L1) == "yes"_L1, {}, {}};
        } else if (name == "source"_L1) {
            message.source = xml.readElementText();
        } else if (name == "comment"_L1) {
            message.comment = xml.readElementText();
        } else if (name == "translation"_L1) {
            message.type = xml.attributes().value("type"_L1).toString();
            if (!message.numerus)
                message.translations << xml.readElementText();
            else {
                while (xml.readNextStartElement())
                    message.translations << xml.readElementText();
            }
            messages << message;
        }
    }
    if (xml.hasError())
        error = QStringLiteral("line %1: %2").arg(xml.lineNumber()).arg(xml.errorString());
    return messages;
}

QSet<QString> placeholders(const QString& text)
{
    static const QRegularExpression placeholder(QStringLiteral("%(\\d{1,2}|n)"));
    QSet<QString> found;
    for (const auto& match : placeholder.globalMatch(text))
        found << match.captured();
    return found;
}

QString problemOf(const Message& wanted, const Message* translated)
{
    if (!translated)
        return QStringLiteral("missing");
    if (translated->type == "vanished"_L1 || translated->type == "obsolete"_L1)
        return QStringLiteral("marked %1, but used").arg(translated->type);
    if (translated->type == "unfinished"_L1)
        return QStringLiteral("unfinished");
    if (translated->numerus != wanted.numerus)
        return QStringLiteral("plural forms where none are wanted, or none where they are");
    if (translated->translations.isEmpty())
        return QStringLiteral("no translation");
    const QSet<QString> wantedPlaceholders = placeholders(wanted.source);
    for (const QString& translation : translated->translations) {
        if (translation.isEmpty())
            return QStringLiteral("an empty translation");
        if (placeholders(translation) != wantedPlaceholders)
            return QStringLiteral("the placeholders differ in \"%1\"").arg(translation);
    }
    return {};
}

void print(const QString& line)
{
    std::fputs(qPrintable(line + u'\n'), stderr);
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 3) {
        print(QStringLiteral("usage: jobcosting-translation-check SCAN.ts TRANSLATION.ts..."));
        return 2;
    }
    QString error;
    const QList<Message> scanned = read(QString::fromLocal8Bit(argv[1]), error);
    if (!error.isEmpty()) {
        print(QString::fromLocal8Bit(argv[1]) + ": "_L1 + error);
        return 1;
    }
    int problems = 0;
    for (int i = 2; i < argc; ++i) {
        const QString fileName = QString::fromLocal8Bit(argv[i]);
        const QList<Message> messages = read(fileName, error);
        if (!error.isEmpty()) {
            print(fileName + ": "_L1 + error);
            return 1;
        }
        QHash<QString, const Message*> byKey;
        for (const Message& message : messages)
            byKey.insert(keyOf(message), &message);
        for (const Message& wanted : scanned) {
            const QString problem = problemOf(wanted, byKey.value(keyOf(wanted)));
            if (problem.isEmpty())
                continue;
            ++problems;
            print(QStringLiteral("%1: %2: \"%3\"%4: %5")
                      .arg(QFileInfo(fileName).fileName(), wanted.context,
                          QString(wanted.source).replace(u'\n', "\\n"_L1),
                          wanted.comment.isEmpty() ? QString() : " ("_L1 + wanted.comment + u')',
                          problem));
        }
    }
    if (problems > 0)
        print(QStringLiteral("%1 translation(s) to finish: build the target update_translations, "
                             "then translate in the .ts files (Qt Linguist reads them).")
                  .arg(problems));
    return problems > 0 ? 1 : 0;
}
