#include "Language.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

QString ProcessEnvironment::variable(const char* name) const
{
    return qEnvironmentVariable(name);
}

namespace Language {

namespace {

constexpr char translatorName[] = "jobcosting-language";

// The language of a locale or of a LANGUAGE entry: "de_DE.UTF-8@euro" is "de".
QString languageOf(const QString& name)
{
    qsizetype end = 0;
    while (
        end < name.size() && name.at(end) != u'_' && name.at(end) != u'.' && name.at(end) != u'@')
        ++end;
    return name.left(end).toLower();
}

bool isEnglish(const QString& language)
{
    return language == u"c" || language == u"posix" || language == u"en";
}

} // namespace

QStringList translated()
{
    return QString::fromLatin1(JOBCOSTING_LANGUAGES).split(u' ', Qt::SkipEmptyParts);
}

QString choose(const Environment& environment, const QStringList& translated)
{
    QString messages;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        messages = environment.variable(name);
        if (!messages.isEmpty())
            break;
    }
    // No locale set at all is the C locale.
    const QString sessionLanguage = languageOf(messages);
    if (sessionLanguage.isEmpty() || isEnglish(sessionLanguage))
        return {};
    const QStringList candidates = environment.variable("LANGUAGE").split(u':', Qt::SkipEmptyParts)
        << messages;
    for (const QString& candidate : candidates) {
        const QString language = languageOf(candidate);
        if (isEnglish(language))
            return {};
        if (translated.contains(language))
            return language;
    }
    return {};
}

QStringList folders()
{
    const QDir programs(QCoreApplication::applicationDirPath());
    return {programs.filePath(QStringLiteral(JOBCOSTING_TRANSLATIONS_FROM_BINDIR)),
        programs.filePath(QStringLiteral("translations"))};
}

bool use(const QString& language, const QStringList& folders)
{
    // One language at a time: the translations of an earlier one go.
    QCoreApplication* application = QCoreApplication::instance();
    qDeleteAll(application->findChildren<QTranslator*>(
        QString::fromLatin1(translatorName), Qt::FindDirectChildrenOnly));
    if (language.isEmpty())
        return true;
    const auto translator = [application] {
        auto* translator = new QTranslator(application);
        translator->setObjectName(QString::fromLatin1(translatorName));
        return translator;
    };
    QTranslator* own = translator();
    if (std::none_of(folders.cbegin(), folders.cend(), [&](const QString& folder) {
            return own->load(QStringLiteral("jobcosting_") + language, folder);
        })) {
        delete own;
        return false;
    }
    // Installed first, Qt's own are asked last.
    QTranslator* qt = translator();
    if (qt->load(QStringLiteral("qtbase_") + language,
            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    else
        delete qt;
    QCoreApplication::installTranslator(own);
    return true;
}

int pluralCount(double pieces)
{
    const double count = std::abs(pieces);
    if (count != std::floor(count))
        return 2;
    return int(std::min(count, double(std::numeric_limits<int>::max())));
}

void useSessionLanguage(const char* program)
{
    const QString language = choose(ProcessEnvironment(), translated());
    const QStringList places = folders();
    if (use(language, places))
        return;
    const QString line
        = QStringLiteral("%1: no translation into '%2' in %3; English is shown\n")
              .arg(QLatin1String(program), language, places.join(QLatin1String(" or ")));
    std::fputs(line.toLocal8Bit().constData(), stderr);
}

} // namespace Language
